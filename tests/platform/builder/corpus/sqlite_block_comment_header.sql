/* Top customers
   by revenue */
SELECT c.name, SUM(oi.quantity * oi.unit_price) AS revenue
FROM customers c JOIN orders o ON o.customer_id = c.customer_id JOIN order_items oi ON oi.order_id = o.order_id
GROUP BY c.name ORDER BY revenue DESC LIMIT 10
