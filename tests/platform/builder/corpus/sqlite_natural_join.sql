SELECT order_id, product_id, quantity, status FROM orders NATURAL JOIN order_items
