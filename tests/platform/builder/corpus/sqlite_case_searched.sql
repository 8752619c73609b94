SELECT name,
       CASE WHEN unit_price < 10 THEN 'cheap'
            WHEN unit_price < 100 THEN 'regular'
            ELSE 'premium' END AS price_band
FROM products
