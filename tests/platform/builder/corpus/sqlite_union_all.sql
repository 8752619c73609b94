SELECT city FROM customers UNION ALL SELECT 'Head Office' ORDER BY city
