SELECT * FROM customers WHERE name ILIKE 'a%' OR email ~* '@example\.(com|org)$' OR city !~ '^X'
