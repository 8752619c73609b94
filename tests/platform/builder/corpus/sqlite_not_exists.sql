SELECT p.name FROM products p
WHERE NOT EXISTS (SELECT * FROM order_items oi WHERE oi.product_id = p.product_id)
