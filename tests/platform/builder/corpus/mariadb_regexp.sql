SELECT * FROM customers WHERE email REGEXP '^[a-z]+@' AND name NOT RLIKE '^test'
