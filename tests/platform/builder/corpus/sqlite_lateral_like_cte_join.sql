WITH totals AS (SELECT order_id, SUM(quantity) AS items FROM order_items GROUP BY order_id)
SELECT o.order_id, t.items FROM orders o LEFT JOIN totals t ON t.order_id = o.order_id
UNION ALL
SELECT NULL, SUM(items) FROM totals
