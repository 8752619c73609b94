SELECT order_id, status, quantity FROM orders JOIN order_items USING (order_id)
