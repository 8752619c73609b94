SELECT * FROM customers c WHERE EXISTS (SELECT 1 FROM orders WHERE customer_id = c.customer_id) LIMIT ALL
