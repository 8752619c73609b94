SELECT name, 'customer' AS kind FROM customers
UNION
SELECT first_name || ' ' || last_name, 'employee' FROM employees
ORDER BY 1
