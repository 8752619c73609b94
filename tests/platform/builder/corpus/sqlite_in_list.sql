SELECT order_id FROM orders WHERE status IN ('open', 'pending', 'held')
