SELECT N'Zoë' AS name, LEFT(CompanyName, 3) AS prefix, RIGHT(Phone, 4) AS tail FROM Customers WHERE Country = N'Deutschland'
