SELECT * FROM #recent_orders r JOIN ##shared s ON s.id = r.id
