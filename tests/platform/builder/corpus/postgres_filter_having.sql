SELECT customer_id FROM orders GROUP BY customer_id HAVING COUNT(*) FILTER (WHERE status = 'returned') > 2
