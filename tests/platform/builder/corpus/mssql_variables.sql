SELECT * FROM Orders WHERE OrderDate >= @from AND OrderDate < @to AND @@ROWCOUNT >= 0
