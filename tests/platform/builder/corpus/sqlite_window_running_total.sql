SELECT order_id, order_date, freight,
       SUM(freight) OVER (ORDER BY order_date ROWS BETWEEN UNBOUNDED PRECEDING AND CURRENT ROW) AS running_freight
FROM orders
