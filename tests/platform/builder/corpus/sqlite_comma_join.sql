SELECT c.name, o.order_id FROM customers c, orders o WHERE c.customer_id = o.customer_id
