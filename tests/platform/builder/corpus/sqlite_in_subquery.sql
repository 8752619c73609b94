SELECT name FROM products
WHERE product_id IN (SELECT product_id FROM order_items WHERE quantity >= 5)
