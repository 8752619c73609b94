SELECT * FROM orders WHERE order_date > DATE '2023-06-30'
