SELECT order_id, CASE status WHEN 'open' THEN 1 WHEN 'shipped' THEN 2 ELSE 0 END AS status_code FROM orders
