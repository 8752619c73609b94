SELECT TRY_CAST(PostalCode AS int) AS zip FROM Customers WHERE TRY_CAST(PostalCode AS int) IS NOT NULL
