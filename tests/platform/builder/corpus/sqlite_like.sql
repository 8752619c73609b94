SELECT * FROM customers WHERE email LIKE '%@example.com' AND name NOT LIKE 'Test%'
