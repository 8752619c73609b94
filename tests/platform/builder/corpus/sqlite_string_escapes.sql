SELECT 'O''Brien' AS name, 'it''s ''quoted''' AS text, '' AS empty
