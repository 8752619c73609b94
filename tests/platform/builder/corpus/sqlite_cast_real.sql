SELECT order_id, CAST(freight AS REAL) / 2 AS half_freight FROM orders
