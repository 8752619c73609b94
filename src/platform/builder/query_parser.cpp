#include "platform/builder/parser_impl.h"

namespace tavrello::builder::detail {

namespace {

// Words after which an empty FROM list ends: the builder writes a bare FROM
// when the last data source of a query was removed, and must read it back.
bool endsFromList(const Token& t) {
  if (t.kind == TokenKind::End || t.isOperator(")") || t.isOperator(";")) return true;
  static const char* const kClauseWords[] = {"WHERE",  "GROUP",     "HAVING", "ORDER", "LIMIT",  "OFFSET",
                                             "FETCH",  "UNION",     "INTERSECT", "EXCEPT", "WINDOW", "FOR"};
  for (const char* w : kClauseWords) {
    if (t.isWord(w)) return true;
  }
  return false;
}

}  // namespace

bool Parser::atQueryStart(std::size_t ahead) const {
  return atWord("SELECT", ahead) || atWord("WITH", ahead) || atWord("VALUES", ahead);
}

Query Parser::parseQuery() {
  const Nested level(*this);
  Query query;
  if (acceptWord("WITH")) {
    query.recursive = acceptWord("RECURSIVE");
    do {
      CommonTable cte;
      cte.name = parseIdentifier("a name for the WITH query");
      if (atOperator("(")) cte.columns = parseIdentifierList();
      expectWord("AS");
      if (atWord("NOT") && atWord("MATERIALIZED", 1)) {
        next();
        next();
        cte.materialized = "NOT MATERIALIZED";
      } else if (acceptWord("MATERIALIZED")) {
        cte.materialized = "MATERIALIZED";
      }
      expectOperator("(");
      cte.query = parseQuery();
      expectOperator(")");
      query.with.push_back(std::move(cte));
    } while (acceptOperator(","));
  }
  query.first = parseTerm();
  while (atWord("UNION") || atWord("INTERSECT") || atWord("EXCEPT")) {
    SetOperation op;
    op.op = next().value;
    if (atWord("ALL") || atWord("DISTINCT")) op.quantifier = next().value;
    op.term = parseTerm();
    query.rest.push_back(std::move(op));
  }
  if (acceptWord("ORDER")) {
    expectWord("BY");
    query.orderBy = parseOrderList();
  }
  parseLimit(query);
  if (acceptWord("FOR")) {
    query.forClause.emplace_back();
    while (!atEnd() && !atOperator(")") && !atOperator(";")) {
      if (acceptOperator(",")) {
        query.forClause.emplace_back();
        continue;
      }
      if (peek().kind != TokenKind::Word && peek().kind != TokenKind::Quoted) expected("a word of the FOR clause");
      query.forClause.back().push_back(parsePrimary());
    }
    if (query.forClause.back().empty()) expected("a word of the FOR clause");
  }
  return query;
}

QueryTerm Parser::parseTerm() {
  QueryTerm term;
  if (atWord("SELECT")) {
    term.select = parseSelectCore();
  } else if (acceptWord("VALUES")) {
    term.kind = QueryTerm::Kind::Values;
    do {
      expectOperator("(");
      term.rows.push_back(parseExprList());
      expectOperator(")");
    } while (acceptOperator(","));
  } else if (acceptOperator("(")) {
    term.kind = QueryTerm::Kind::Nested;
    term.nested = parseQuery();
    expectOperator(")");
  } else {
    expected("SELECT");
  }
  return term;
}

SelectCore Parser::parseSelectCore() {
  expectWord("SELECT");
  SelectCore core;
  if (acceptWord("DISTINCT")) {
    if (acceptWord("ON")) {
      core.distinctOn = true;
      expectOperator("(");
      core.distinctOnExprs = parseExprList();
      expectOperator(")");
    } else {
      core.quantifier = "DISTINCT";
    }
  } else if (acceptWord("ALL")) {
    core.quantifier = "ALL";
  }
  if (acceptWord("TOP")) {
    if (!atOperator("(") && peek().kind != TokenKind::Number && peek().kind != TokenKind::Parameter) {
      expected("a row count after TOP");
    }
    core.top = parsePrimary();
    core.topPercent = acceptWord("PERCENT");
    if (atWord("WITH") && atWord("TIES", 1)) {
      next();
      next();
      core.topWithTies = true;
    }
  }
  do {
    SelectItem item;
    item.expr = parseExpr();
    parseOptionalAlias(item.alias, true);
    core.items.push_back(std::move(item));
  } while (acceptOperator(","));

  if (acceptWord("FROM")) {
    core.hasFrom = true;
    if (!endsFromList(peek())) {
      do {
        core.from.push_back(parseFromItem());
      } while (acceptOperator(","));
    }
  }
  if (acceptWord("WHERE")) core.where = parseExpr();
  if (acceptWord("GROUP")) {
    expectWord("BY");
    core.groupBy = parseExprList();
    if (atWord("WITH") && atWord("ROLLUP", 1)) {
      next();
      next();
      core.withRollup = true;
    }
  }
  if (acceptWord("HAVING")) core.having = parseExpr();
  if (acceptWord("WINDOW")) {
    do {
      NamedWindow window;
      window.name = parseIdentifier("a window name");
      expectWord("AS");
      window.spec = parseWindowSpec();
      core.windows.push_back(std::move(window));
    } while (acceptOperator(","));
  }
  return core;
}

std::vector<OrderItem> Parser::parseOrderList() {
  std::vector<OrderItem> items;
  do {
    OrderItem item;
    item.expr = parseExpr();
    if (atWord("ASC") || atWord("DESC")) item.direction = next().value;
    if (atWord("NULLS") && (atWord("FIRST", 1) || atWord("LAST", 1))) {
      next();
      item.nulls = "NULLS " + next().value;
    }
    items.push_back(std::move(item));
  } while (acceptOperator(","));
  return items;
}

void Parser::parseLimit(Query& query) {
  RowLimit& limit = query.limit;
  if (acceptWord("LIMIT")) {
    limit.style = RowLimit::Style::Limit;
    limit.count = atWord("ALL") ? makeNode(ExprKind::Literal, next().value) : parseExpr();
    if (acceptOperator(",")) {
      limit.style = RowLimit::Style::LimitComma;
      limit.offset = std::move(limit.count);
      limit.count = parseExpr();
    } else if (acceptWord("OFFSET")) {
      limit.offset = parseExpr();
    }
    return;
  }
  if (acceptWord("OFFSET")) {
    limit.style = RowLimit::Style::OffsetFetch;
    limit.offset = parseExpr();
    if (atWord("ROW") || atWord("ROWS")) limit.offsetUnit = next().value;
    if (acceptWord("LIMIT")) {
      // PostgreSQL accepts OFFSET before LIMIT; it means LIMIT ... OFFSET.
      limit.style = RowLimit::Style::Limit;
      limit.offsetUnit.clear();
      limit.count = parseExpr();
      return;
    }
  }
  if (acceptWord("FETCH")) {
    if (limit.style == RowLimit::Style::None) limit.style = RowLimit::Style::OffsetFetch;
    if (!atWord("FIRST") && !atWord("NEXT")) expected("FIRST or NEXT");
    limit.fetchWord = next().value;
    if (!atWord("ROW") && !atWord("ROWS")) limit.count = parseExpr();
    if (!atWord("ROW") && !atWord("ROWS")) expected("ROW or ROWS");
    limit.fetchUnit = next().value;
    if (atWord("WITH") && atWord("TIES", 1)) {
      next();
      next();
      limit.withTies = true;
    } else {
      expectWord("ONLY");
    }
  }
}

}  // namespace tavrello::builder::detail
