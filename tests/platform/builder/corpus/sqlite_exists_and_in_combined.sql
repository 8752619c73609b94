SELECT p.name FROM products p
WHERE p.category_id IN (SELECT category_id FROM categories WHERE parent_id IS NOT NULL)
  AND EXISTS (SELECT 1 FROM order_items oi WHERE oi.product_id = p.product_id)
