SELECT 1 + 2 AS three, 'text' AS label, NULL AS missing, CURRENT_DATE AS today
