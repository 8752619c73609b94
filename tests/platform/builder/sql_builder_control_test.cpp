#include "platform/builder/sql_builder_control.h"

#include <gtest/gtest.h>

#include "platform/forms/form.h"

namespace tavrello::builder {
namespace {

class formQuery : public forms::Form {
 public:
  formQuery() : Form("formQuery"), SQLBuilder(add<SQLBuilderControl>("SQLBuilder")) {}
  SQLBuilderControl& SQLBuilder;
};

TEST(SQLBuilderControl, IsACustomControlOfKindSQLBuilder) {
  formQuery form;
  EXPECT_EQ(form.SQLBuilder.kind(), forms::ControlKind::Custom);
  EXPECT_EQ(form.SQLBuilder.kindName(), "SQLBuilder");
  EXPECT_EQ(&form.controlAs<SQLBuilderControl>("sqlbuilder"), &form.SQLBuilder);
}

TEST(SQLBuilderControl, StatementChangesReachTheFormsHandlerAndTheViews) {
  formQuery form;
  std::vector<std::string> seen;
  form.bind(form.SQLBuilder, "OnSQLChanged", "SQLBuilder_OnSQLChanged",
            [&](std::any&) { seen.push_back(form.SQLBuilder.FormattedSQL()); });
  int viewNotices = 0;
  auto subscription = form.SQLBuilder.observe([&](forms::Property p) {
    if (p == forms::Property::Custom) ++viewNotices;
  });
  form.SQLBuilder.SQL("select a from t");
  form.SQLBuilder.builder().setDistinct(true);
  EXPECT_EQ(seen, (std::vector<std::string>{"SELECT a FROM t", "SELECT DISTINCT a FROM t"}));
  EXPECT_EQ(viewNotices, 2);
}

TEST(SQLBuilderControl, ExpressionEditRequestHandsTheExpressionObjectToTheHandler) {
  formQuery form;
  form.bind(form.SQLBuilder, "ExpressionEditRequest", "SQLBuilder_ExpressionEditRequest", [](std::any& args) {
    auto* expression = std::any_cast<Expression*>(args);
    expression->ExpressionText(expression->ExpressionText() + " + 1");
  });
  form.SQLBuilder.SQL("SELECT a FROM t");
  form.SQLBuilder.builder().requestExpressionEdit(0);
  EXPECT_EQ(form.SQLBuilder.FormattedSQL(), "SELECT a + 1 FROM t");
}

TEST(SQLBuilderControl, AFailingGestureIsReportedNotThrown) {
  formQuery form;
  std::string reported;
  auto previous = forms::setUnhandledFailureHandler(
      [&](const Failure& f, const std::string&, const std::string&) { reported = f.description(); });
  form.SQLBuilder.SQL("SELECT a FROM t");
  EXPECT_NO_THROW(form.SQLBuilder.userAction([&] { form.SQLBuilder.builder().setCriteria(0, "> > 2"); }));
  forms::setUnhandledFailureHandler(previous);
  EXPECT_NE(reported.find("The criteria '> > 2' cannot be used"), std::string::npos) << reported;
  EXPECT_EQ(form.SQLBuilder.FormattedSQL(), "SELECT a FROM t");
}

}  // namespace
}  // namespace tavrello::builder
