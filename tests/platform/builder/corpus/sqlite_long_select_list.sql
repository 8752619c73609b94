SELECT c.customer_id, c.name, c.email, c.city, c.country, c.created_at, o.order_id, o.order_date, o.status, o.freight, e.first_name, e.last_name
FROM customers c JOIN orders o ON o.customer_id = c.customer_id LEFT JOIN employees e ON e.employee_id = o.employee_id
WHERE o.status IN ('open', 'shipped') AND c.country = 'Germany' AND o.freight BETWEEN 10 AND 500
ORDER BY c.name, o.order_date DESC
