SELECT order_id, freight,
       LAG(freight, 1, 0) OVER (ORDER BY order_id) AS previous_freight,
       LEAD(freight) OVER (ORDER BY order_id) AS next_freight
FROM orders
