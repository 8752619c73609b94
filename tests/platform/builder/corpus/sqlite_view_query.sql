SELECT name, total FROM customer_totals WHERE total > 0 ORDER BY total DESC
