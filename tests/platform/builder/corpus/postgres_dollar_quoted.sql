SELECT $$It's a dollar-quoted string$$ AS text, $tag$with $$ inside$tag$ AS other
