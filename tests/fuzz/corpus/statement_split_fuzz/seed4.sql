SELECT "a;b", `c;d`, [e;f] FROM t;
	  create table x (a int)