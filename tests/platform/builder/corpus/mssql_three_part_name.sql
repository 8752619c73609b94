SELECT TOP 5 * FROM Northwind.dbo.Orders ORDER BY OrderDate DESC
