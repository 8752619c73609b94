SELECT c.CustomerID, x.total FROM Customers c OUTER APPLY (SELECT SUM(Freight) AS total FROM Orders o WHERE o.CustomerID = c.CustomerID) AS x
