SELECT c.country, o.status, COUNT(*) AS n, AVG(o.freight) AS avg_freight
FROM orders o JOIN customers c ON c.customer_id = o.customer_id
GROUP BY c.country, o.status
