SELECT product_id, unit_price * 1.2 AS gross, -unit_price AS negative, unit_price % 3 AS remainder, (unit_price + 1) * 2 AS doubled FROM products
