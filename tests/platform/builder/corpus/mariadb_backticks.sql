SELECT `o`.`order_id`, `c`.`name` FROM `shop`.`orders` AS `o` JOIN `shop`.`customers` AS `c` ON `c`.`customer_id` = `o`.`customer_id`
