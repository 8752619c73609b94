SELECT value FROM json_each('[1, 2, 3]') WHERE value > 1
