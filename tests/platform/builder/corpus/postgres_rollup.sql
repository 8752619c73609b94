SELECT country, status, SUM(freight) FROM orders JOIN customers USING (customer_id) GROUP BY ROLLUP (country, status)
