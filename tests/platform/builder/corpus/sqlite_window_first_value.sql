SELECT DISTINCT category_id,
  FIRST_VALUE(name) OVER (PARTITION BY category_id ORDER BY unit_price DESC) AS priciest
FROM products
