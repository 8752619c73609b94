SELECT order_id, freight FROM orders WHERE NOT (freight > 100 OR status = 'cancelled') AND (customer_id = 1 OR customer_id = 2)
