SELECT * FROM products WHERE product_id = ANY ('{1,2,3}'::int[]) AND category_id <> ALL (SELECT category_id FROM categories WHERE hidden)
