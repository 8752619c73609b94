VALUES (1, 'one'), (2, 'two'), (3, 'three')
