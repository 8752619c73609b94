SELECT strftime('%Y', order_date) AS year,
       SUM(CASE WHEN status = 'shipped' THEN 1 ELSE 0 END) AS shipped,
       SUM(CASE WHEN status <> 'shipped' THEN 1 ELSE 0 END) AS other
FROM orders
GROUP BY strftime('%Y', order_date)
