SELECT DISTINCT country FROM customers WHERE country IS NOT NULL ORDER BY country
