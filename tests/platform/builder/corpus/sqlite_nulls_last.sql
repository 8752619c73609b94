SELECT name, city FROM customers ORDER BY city ASC NULLS LAST, name DESC
