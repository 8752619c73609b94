SELECT * FROM orders WHERE customer_id = $1 AND status = $2
