SELECT o.order_id, group_concat(p.name, ', ') AS products
FROM orders o JOIN order_items oi ON oi.order_id = o.order_id JOIN products p ON p.product_id = oi.product_id
GROUP BY o.order_id
