SELECT CAST(unit_price AS INTEGER) AS whole_price, CAST(product_id AS TEXT) || '-' || name AS code FROM products
