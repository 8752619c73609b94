SELECT [Note ID], [Note Text] FROM [Order Notes] ORDER BY [Note ID]
