SELECT country, city, COUNT(*) FROM customers GROUP BY GROUPING SETS ((country, city), (country), ())
