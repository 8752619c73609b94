SELECT EXTRACT(YEAR FROM order_date) AS y, EXTRACT(EPOCH FROM shipped_at - order_date) / 3600 AS hours FROM orders
