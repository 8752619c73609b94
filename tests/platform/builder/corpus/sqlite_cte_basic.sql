WITH big_orders AS (
  SELECT order_id, SUM(quantity * unit_price) AS amount
  FROM order_items
  GROUP BY order_id
)
SELECT o.order_id, o.order_date, b.amount
FROM orders o JOIN big_orders b ON b.order_id = o.order_id
WHERE b.amount > 50
