SELECT s.status, s.n, (SELECT COUNT(*) FROM orders) AS total
FROM (SELECT status, COUNT(*) AS n FROM orders GROUP BY status) s
