SELECT customer_id, MAX(order_date) AS last_order FROM orders GROUP BY customer_id HAVING MAX(order_date) < '2024-01-01'
