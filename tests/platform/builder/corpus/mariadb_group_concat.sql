SELECT customer_id, GROUP_CONCAT(DISTINCT status ORDER BY status SEPARATOR '; ') AS statuses FROM orders GROUP BY customer_id
