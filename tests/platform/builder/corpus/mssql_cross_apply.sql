SELECT c.CustomerID, x.OrderID FROM Customers c CROSS APPLY (SELECT TOP 1 OrderID FROM Orders o WHERE o.CustomerID = c.CustomerID ORDER BY OrderDate DESC) x
