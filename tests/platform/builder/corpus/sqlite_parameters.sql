SELECT * FROM orders WHERE customer_id = ? AND status = :status AND freight > @min_freight
