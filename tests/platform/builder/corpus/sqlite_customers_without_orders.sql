SELECT c.customer_id, c.name
FROM customers AS c
LEFT OUTER JOIN orders AS o ON o.customer_id = c.customer_id
WHERE o.order_id IS NULL
