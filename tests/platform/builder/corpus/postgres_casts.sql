SELECT order_id::text, freight::numeric(10, 2), '2024-01-01'::date + 1 AS next_day, CAST(now() AS timestamp with time zone) FROM orders
