WITH per_customer AS (
  SELECT customer_id, COUNT(*) AS n FROM orders GROUP BY customer_id
), ranked AS (
  SELECT customer_id, n, RANK() OVER (ORDER BY n DESC) AS r FROM per_customer
)
SELECT c.name, ranked.n FROM ranked JOIN customers c ON c.customer_id = ranked.customer_id WHERE r <= 3
