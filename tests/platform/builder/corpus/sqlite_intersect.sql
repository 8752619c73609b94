SELECT customer_id FROM customers INTERSECT SELECT customer_id FROM orders
