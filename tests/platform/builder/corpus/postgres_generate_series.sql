SELECT d::date AS day, COUNT(o.order_id)
FROM generate_series(DATE '2024-01-01', DATE '2024-01-31', INTERVAL '1 day') AS g(d)
LEFT JOIN orders o ON o.order_date::date = g.d
GROUP BY d ORDER BY d
