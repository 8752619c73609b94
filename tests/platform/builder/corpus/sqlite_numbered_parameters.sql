SELECT * FROM orders WHERE order_id BETWEEN ?1 AND ?2
