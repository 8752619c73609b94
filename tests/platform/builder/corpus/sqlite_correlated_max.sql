SELECT o.* FROM orders o
WHERE o.freight = (SELECT MAX(o2.freight) FROM orders o2 WHERE o2.customer_id = o.customer_id)
