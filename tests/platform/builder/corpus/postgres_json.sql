SELECT payload ->> 'name' AS name, payload -> 'address' ->> 'city' AS city, payload #>> '{tags,0}' AS first_tag FROM events WHERE payload @> '{"type": "signup"}'
