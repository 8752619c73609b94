SELECT o.OrderID FROM Orders o WITH (NOLOCK) JOIN Customers c WITH (NOLOCK) ON c.CustomerID = o.CustomerID
