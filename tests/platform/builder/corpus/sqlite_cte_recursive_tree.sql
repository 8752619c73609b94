WITH RECURSIVE tree(category_id, name, depth) AS (
  SELECT category_id, name, 0 FROM categories WHERE parent_id IS NULL
  UNION ALL
  SELECT c.category_id, c.name, tree.depth + 1
  FROM categories c JOIN tree ON c.parent_id = tree.category_id
)
SELECT * FROM tree ORDER BY depth, name
