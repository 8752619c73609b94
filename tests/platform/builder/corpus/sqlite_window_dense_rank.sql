SELECT name, unit_price, DENSE_RANK() OVER (ORDER BY unit_price DESC) AS price_rank FROM products
