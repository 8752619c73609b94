SELECT name, COALESCE(city, country, 'unknown') AS place FROM customers WHERE email IS NULL
