SELECT name FROM customers WHERE customer_id IN (
  SELECT customer_id FROM orders WHERE order_id IN (
    SELECT order_id FROM order_items WHERE product_id IN (
      SELECT product_id FROM products WHERE category_id = 1)))
