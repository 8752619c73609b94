#include "platform/builder/formatter.h"
#include "platform/builder/formatter_impl.h"

namespace tavrello::builder {

namespace {

std::string quoted(const std::string& name, char open, char close) {
  std::string out(1, open);
  for (char c : name) {
    out += c;
    if (c == close) out += c;
  }
  out += close;
  return out;
}

}  // namespace

std::string formatIdentifier(const Identifier& id) {
  switch (id.quote) {
    case QuoteStyle::None: return id.name;
    case QuoteStyle::Double: return quoted(id.name, '"', '"');
    case QuoteStyle::Bracket: return quoted(id.name, '[', ']');
    case QuoteStyle::Backtick: return quoted(id.name, '`', '`');
    case QuoteStyle::Single: return quoted(id.name, '\'', '\'');
  }
  return id.name;
}

std::string formatName(const Name& name) {
  std::string out;
  for (const Identifier& part : name) {
    if (!out.empty()) out += '.';
    out += formatIdentifier(part);
  }
  return out;
}

std::string formatExpression(const Expr& expr) {
  Layout out;
  detail::writeExpr(out, expr, 0);
  return out.layout(std::string::npos);
}

namespace detail {

namespace {

void writeCall(Layout& out, const Call& call, int depth) {
  out.text("(");
  if (!call.quantifier.empty()) out.text(call.quantifier + " ");
  auto writeOrderBy = [&] {
    out.text(call.args.empty() ? "ORDER BY " : " ORDER BY ");
    writeOrderList(out, call.orderBy, depth, false);
  };
  if (!call.orderBy.empty() && call.orderByAfter == 0) writeOrderBy();
  for (std::size_t i = 0; i < call.args.size(); ++i) {
    const std::string& keywords = i < call.keywords.size() ? call.keywords[i] : std::string();
    if (i > 0) out.text(keywords.empty() ? ", " : " ");
    if (!keywords.empty()) out.text(keywords + " ");
    writeExpr(out, call.args[i], depth);
    if (!call.orderBy.empty() && call.orderByAfter == i + 1) writeOrderBy();
  }
  out.text(")");
  if (call.withinGroup) {
    out.text(" WITHIN GROUP (ORDER BY ");
    writeOrderList(out, call.withinGroupOrder, depth, false);
    out.text(")");
  }
  if (call.filter) {
    out.text(" FILTER (WHERE ");
    writeExpr(out, *call.filter, depth);
    out.text(")");
  }
  if (call.over) {
    out.text(" OVER ");
    writeWindow(out, *call.over, depth);
  }
}

void writeFrameBound(Layout& out, const FrameBound& bound, int depth) {
  if (bound.offset) {
    writeExpr(out, *bound.offset, depth);
    out.text(" ");
  }
  out.text(bound.kind);
}

void writeSubquery(Layout& out, const Query& query, int depth) {
  out.text("(");
  writeQuery(out, query, depth + 1);
  out.text(")");
}

void writeNot(Layout& out, const Expr& e) { out.text(e.negated ? " NOT " : " "); }

}  // namespace

void writeExprList(Layout& out, const std::vector<Expr>& list, int depth, bool breakable) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) {
      out.text(",");
      if (breakable) {
        out.softBreak(continuationIndent(depth));
      } else {
        out.text(" ");
      }
    }
    writeExpr(out, list[i], depth);
  }
}

void writeOrderList(Layout& out, const std::vector<OrderItem>& list, int depth, bool breakable) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) {
      out.text(",");
      if (breakable) {
        out.softBreak(continuationIndent(depth));
      } else {
        out.text(" ");
      }
    }
    writeExpr(out, list[i].expr, depth);
    if (!list[i].direction.empty()) out.text(" " + list[i].direction);
    if (!list[i].nulls.empty()) out.text(" " + list[i].nulls);
  }
}

void writeType(Layout& out, const TypeName& type, int depth) {
  out.text(formatName(type.name));
  for (const std::string& word : type.moreWords) out.text(" " + word);
  if (!type.params.empty()) {
    out.text("(");
    writeExprList(out, type.params, depth, false);
    out.text(")");
  }
  for (int i = 0; i < type.arrayDimensions; ++i) out.text("[]");
}

void writeWindow(Layout& out, const WindowSpec& spec, int depth) {
  if (!spec.parenthesized) {
    out.text(formatIdentifier(spec.name));
    return;
  }
  out.text("(");
  bool any = false;
  auto gap = [&] {
    if (any) out.text(" ");
    any = true;
  };
  if (!spec.name.empty()) {
    gap();
    out.text(formatIdentifier(spec.name));
  }
  if (!spec.partitionBy.empty()) {
    gap();
    out.text("PARTITION BY ");
    writeExprList(out, spec.partitionBy, depth, false);
  }
  if (!spec.orderBy.empty()) {
    gap();
    out.text("ORDER BY ");
    writeOrderList(out, spec.orderBy, depth, false);
  }
  if (!spec.frameUnits.empty()) {
    gap();
    out.text(spec.frameUnits + " ");
    if (spec.frameBetween) {
      out.text("BETWEEN ");
      writeFrameBound(out, spec.frameStart, depth);
      out.text(" AND ");
      writeFrameBound(out, spec.frameEnd, depth);
    } else {
      writeFrameBound(out, spec.frameStart, depth);
    }
  }
  out.text(")");
}

void writeExpr(Layout& out, const Expr& e, int depth) {
  switch (e.kind) {
    case ExprKind::Empty:
      return;
    case ExprKind::Literal:
    case ExprKind::Parameter:
      out.text(e.text);
      return;
    case ExprKind::Column:
      out.text(formatName(e.name));
      return;
    case ExprKind::Star:
      out.text(e.name.empty() ? "*" : formatName(e.name) + ".*");
      return;
    case ExprKind::Unary:
      out.text(e.text);
      // NOT needs a blank; so does an operator that would run into the next
      // one and read as a longer one: "- -x" is no "--" comment, "~ ~x" no
      // "~~" and "~ *" no "~*".
      if (e.text == "NOT" || e.args[0].kind == ExprKind::Star ||
          (e.args[0].kind == ExprKind::Unary && e.args[0].text == e.text && e.text != "+")) {
        out.text(" ");
      }
      writeExpr(out, e.args[0], depth);
      return;
    case ExprKind::Binary:
      writeExpr(out, e.args[0], depth);
      if (e.text == "AND" || e.text == "OR") {
        out.softBreak(continuationIndent(depth));
        out.text(e.text + " ");
      } else {
        out.text(" " + e.text + " ");
      }
      writeExpr(out, e.args[1], depth);
      return;
    case ExprKind::Like:
      writeExpr(out, e.args[0], depth);
      writeNot(out, e);
      out.text(e.text + " ");
      writeExpr(out, e.args[1], depth);
      if (e.args.size() > 2) {
        out.text(" ESCAPE ");
        writeExpr(out, e.args[2], depth);
      }
      return;
    case ExprKind::Is:
      writeExpr(out, e.args[0], depth);
      out.text(e.negated ? " IS NOT " : " IS ");
      out.text(e.text);
      if (e.args.size() > 1) {
        out.text(" ");
        writeExpr(out, e.args[1], depth);
      }
      return;
    case ExprKind::Postfix:
      writeExpr(out, e.args[0], depth);
      out.text(" " + e.text);
      return;
    case ExprKind::Between:
      writeExpr(out, e.args[0], depth);
      writeNot(out, e);
      out.text(e.text.empty() ? "BETWEEN " : "BETWEEN " + e.text + " ");
      writeExpr(out, e.args[1], depth);
      out.text(" AND ");
      writeExpr(out, e.args[2], depth);
      return;
    case ExprKind::InList:
      writeExpr(out, e.args[0], depth);
      writeNot(out, e);
      out.text("IN (");
      writeExprList(out, std::vector<Expr>(e.args.begin() + 1, e.args.end()), depth, false);
      out.text(")");
      return;
    case ExprKind::InQuery:
      writeExpr(out, e.args[0], depth);
      writeNot(out, e);
      out.text("IN ");
      writeSubquery(out, *e.query, depth);
      return;
    case ExprKind::Quantified:
      out.text(e.text + " ");
      if (e.query) {
        writeSubquery(out, *e.query, depth);
      } else {
        out.text("(");
        writeExpr(out, e.args[0], depth);
        out.text(")");
      }
      return;
    case ExprKind::Function:
      out.text(formatName(e.name));
      writeCall(out, *e.call, depth);
      return;
    case ExprKind::Cast:
      out.text(e.text + "(");
      writeExpr(out, e.args[0], depth);
      out.text(" AS ");
      writeType(out, *e.type, depth);
      out.text(")");
      return;
    case ExprKind::DoubleColonCast:
      writeExpr(out, e.args[0], depth);
      out.text("::");
      writeType(out, *e.type, depth);
      return;
    case ExprKind::Case:
      out.text("CASE");
      if (e.args[0].kind != ExprKind::Empty) {
        out.text(" ");
        writeExpr(out, e.args[0], depth);
      }
      for (std::size_t i = 2; i + 1 < e.args.size(); i += 2) {
        out.text(" WHEN ");
        writeExpr(out, e.args[i], depth);
        out.text(" THEN ");
        writeExpr(out, e.args[i + 1], depth);
      }
      if (e.args[1].kind != ExprKind::Empty) {
        out.text(" ELSE ");
        writeExpr(out, e.args[1], depth);
      }
      out.text(" END");
      return;
    case ExprKind::Subquery:
      writeSubquery(out, *e.query, depth);
      return;
    case ExprKind::Exists:
      out.text("EXISTS ");
      writeSubquery(out, *e.query, depth);
      return;
    case ExprKind::Paren:
      out.text("(");
      writeExprList(out, e.args, depth, false);
      out.text(")");
      return;
    case ExprKind::TypedLiteral:
      out.text(e.text + " ");
      writeExpr(out, e.args[0], depth);
      return;
    case ExprKind::Interval:
      out.text("INTERVAL ");
      writeExpr(out, e.args[0], depth);
      if (!e.text.empty()) out.text(" " + e.text);
      return;
    case ExprKind::Collate:
      writeExpr(out, e.args[0], depth);
      out.text(" COLLATE " + formatName(e.name));
      return;
  }
}

}  // namespace detail

}  // namespace tavrello::builder
