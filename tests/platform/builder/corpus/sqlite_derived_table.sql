SELECT t.customer_id, t.total
FROM (SELECT o.customer_id, SUM(oi.quantity * oi.unit_price) AS total
      FROM orders o JOIN order_items oi ON oi.order_id = o.order_id
      GROUP BY o.customer_id) AS t
WHERE t.total > 100
