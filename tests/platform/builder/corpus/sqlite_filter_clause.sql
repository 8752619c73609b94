SELECT COUNT(*) FILTER (WHERE status = 'shipped') AS shipped,
       COUNT(*) FILTER (WHERE status = 'open') AS open_orders
FROM orders
