SELECT product_id FROM products EXCEPT SELECT product_id FROM order_items
