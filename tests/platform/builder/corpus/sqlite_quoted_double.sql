SELECT n."Note ID", n."Note Text" FROM "Order Notes" AS n WHERE n."Note ID" > 0
