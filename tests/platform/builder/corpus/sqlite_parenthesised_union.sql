SELECT * FROM (SELECT name FROM customers UNION SELECT name FROM products) AS everything ORDER BY name LIMIT 20
