-- only
--comments
/* and more */