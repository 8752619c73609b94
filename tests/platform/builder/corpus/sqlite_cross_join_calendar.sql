SELECT c.name AS category, e.last_name
FROM categories c CROSS JOIN employees e
ORDER BY 1, 2
