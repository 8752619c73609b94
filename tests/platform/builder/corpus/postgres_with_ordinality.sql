SELECT * FROM unnest('{a,b,c}'::text[]) WITH ORDINALITY AS t(value, position)
