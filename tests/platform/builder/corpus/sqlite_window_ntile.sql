SELECT customer_id, NTILE(4) OVER (ORDER BY customer_id) AS quartile FROM customers
