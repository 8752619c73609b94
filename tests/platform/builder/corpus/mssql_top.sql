SELECT TOP 10 CustomerID, CompanyName FROM dbo.Customers ORDER BY CompanyName
