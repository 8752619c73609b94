SELECT c.name, ARRAY(SELECT o.order_id FROM orders o WHERE o.customer_id = c.customer_id) AS order_ids FROM customers c
