SELECT COUNT(DISTINCT customer_id) AS buyers FROM orders
