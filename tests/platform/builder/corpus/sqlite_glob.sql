SELECT * FROM customers WHERE name GLOB 'A*'
