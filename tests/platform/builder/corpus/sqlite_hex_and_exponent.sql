SELECT 0x1F AS hex, 1.5e3 AS thousands, .5 AS half, 2. AS two
