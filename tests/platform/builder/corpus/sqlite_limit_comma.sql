SELECT name FROM customers ORDER BY name LIMIT 5, 10
