-- Orders per status, the report the shop manager asks for every Monday
SELECT status, /* number of orders */ COUNT(*) AS n
FROM orders -- all of them
GROUP BY status /* no filter */
