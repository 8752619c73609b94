SELECT iif(freight > 10, 'heavy', 'light') AS weight, ~product_id AS bits, +1 AS plus FROM orders, products LIMIT 3
