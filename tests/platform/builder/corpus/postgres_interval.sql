SELECT * FROM orders WHERE order_date > now() - INTERVAL '30 days' AND shipped_at < order_date + INTERVAL '1' DAY
