select o.order_id,
       sum(oi.quantity * oi.unit_price * (1 - oi.discount)) as order_total
  from orders o
 inner join order_items oi on oi.order_id = o.order_id
 group by o.order_id
 having sum(oi.quantity) > 1
 order by order_total desc
