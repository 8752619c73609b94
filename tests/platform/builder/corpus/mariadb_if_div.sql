SELECT IF(quantity > 10, 'bulk', 'retail') AS kind, quantity DIV 6 AS boxes, quantity MOD 6 AS loose FROM order_items
