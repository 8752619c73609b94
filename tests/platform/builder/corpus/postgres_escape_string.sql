SELECT E'line one\nline two', E'it\'s' AS escaped
