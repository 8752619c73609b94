SELECT name AS 'Customer Name', city 'ignored' FROM customers
