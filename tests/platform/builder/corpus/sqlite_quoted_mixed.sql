SELECT "o".order_id, [n].[Note Text] AS `text` FROM orders "o" JOIN "Order Notes" [n] ON [n].order_id = "o".order_id
