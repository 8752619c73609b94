SELECT * FROM products WHERE sku SIMILAR TO '(A|B)[0-9]{3}' AND name NOT SIMILAR TO '%test%'
