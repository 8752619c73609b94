SELECT * FROM products ORDER BY unit_price DESC LIMIT 5
