SELECT order_id, freight,
       AVG(freight) OVER (ORDER BY order_id ROWS BETWEEN 2 PRECEDING AND CURRENT ROW) AS moving_avg
FROM orders
