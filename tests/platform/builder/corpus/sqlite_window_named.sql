SELECT product_id, unit_price,
       AVG(unit_price) OVER w AS avg_price,
       MAX(unit_price) OVER w AS max_price
FROM products
WINDOW w AS (PARTITION BY category_id)
