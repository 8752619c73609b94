SELECT TOP (5) PERCENT WITH TIES ProductName, UnitPrice FROM Products ORDER BY UnitPrice DESC
