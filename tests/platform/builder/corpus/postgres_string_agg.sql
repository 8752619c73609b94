SELECT customer_id, string_agg(status, ', ' ORDER BY order_date) AS history, array_agg(DISTINCT status) FROM orders GROUP BY customer_id
