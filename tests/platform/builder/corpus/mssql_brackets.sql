SELECT [o].[OrderID], [c].[CompanyName], [od].[Unit Price] * [od].[Quantity] AS [Line Total]
FROM [dbo].[Orders] AS [o]
INNER JOIN [dbo].[Customers] AS [c] ON [c].[CustomerID] = [o].[CustomerID]
INNER JOIN [dbo].[Order Details] AS [od] ON [od].[OrderID] = [o].[OrderID]
