SELECT name, length(name) AS len FROM customers ORDER BY length(name) DESC, lower(name)
