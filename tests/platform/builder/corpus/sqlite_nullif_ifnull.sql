SELECT order_id, NULLIF(freight, 0) AS freight, IFNULL(status, 'new') AS status FROM orders
