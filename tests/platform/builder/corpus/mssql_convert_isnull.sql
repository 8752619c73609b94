SELECT CONVERT(varchar(10), OrderDate, 120) AS day, ISNULL(ShipRegion, N'none') AS region, DATEADD(day, 7, OrderDate) AS due FROM Orders
