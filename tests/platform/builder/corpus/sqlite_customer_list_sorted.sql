SELECT customer_id, name, city FROM customers ORDER BY name
