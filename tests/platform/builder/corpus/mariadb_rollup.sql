SELECT country, city, COUNT(*) FROM customers GROUP BY country, city WITH ROLLUP
