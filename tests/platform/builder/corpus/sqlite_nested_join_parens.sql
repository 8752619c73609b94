SELECT c.name, p.name
FROM customers c
LEFT JOIN (orders o INNER JOIN order_items oi ON oi.order_id = o.order_id)
  ON o.customer_id = c.customer_id
LEFT JOIN products p ON p.product_id = oi.product_id
