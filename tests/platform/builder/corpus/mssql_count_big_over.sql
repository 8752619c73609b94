SELECT ProductID, COUNT_BIG(*) OVER (PARTITION BY CategoryID) AS in_category FROM Products
