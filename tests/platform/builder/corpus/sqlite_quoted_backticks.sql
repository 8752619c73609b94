SELECT `Note ID`, `Note Text` FROM `Order Notes`
