SELECT * FROM products WHERE name LIKE '%10\%%' ESCAPE '\'
