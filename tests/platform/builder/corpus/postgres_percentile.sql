SELECT percentile_cont(0.5) WITHIN GROUP (ORDER BY freight) AS median_freight FROM orders
