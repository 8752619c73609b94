SELECT c.name, recent.order_id
FROM customers c
CROSS JOIN LATERAL (SELECT order_id FROM orders o WHERE o.customer_id = c.customer_id ORDER BY order_date DESC LIMIT 3) AS recent
