SELECT c.CustomerID, STUFF((SELECT ', ' + o.ShipCity FROM Orders o WHERE o.CustomerID = c.CustomerID FOR XML PATH('')), 1, 2, '') AS cities FROM Customers c
