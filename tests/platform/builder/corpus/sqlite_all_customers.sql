SELECT * FROM customers
