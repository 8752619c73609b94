SELECT order_id, date(order_date) AS day, strftime('%m', order_date) AS month,
       julianday('now') - julianday(order_date) AS age_days
FROM orders
WHERE order_date >= date('now', '-1 year')
