SELECT * FROM customers WHERE city <=> NULL XOR country = 'FR'
