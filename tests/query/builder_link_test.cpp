#include <gtest/gtest.h>

#include "support_lib/query_window_fixture.h"

namespace tavrello {
namespace {

using forms::MsgIcon;

class BuilderLink : public testing::QueryWindowFixture {
 protected:
  formSQLNew& connected() {
    saveShopAndBroken();
    formSQLNew& w = openWindow();
    w.CommandConnect.userClick();
    return w;
  }
  static std::vector<forms::Control*> usableControls(formSQLNew& w) {
    return {&w.CommandExecute, &w.CommandExcel, &w.ComboFormats, &w.CheckBoxImportHeadings, &w.CheckAutofilter,
            &w.CheckNewWorkbook, &w.CheckActiveCell, &w.CheckSelectCell};
  }
};

TEST_F(BuilderLink, ATypedStatementComesBackInTheBuildersLayout) {
  formSQLNew& w = connected();
  typeStatement(w, "select   id,name from customers where id=1");
  EXPECT_EQ(w.TextSQL.Text(), w.SQLBuilder.FormattedSQL());
  EXPECT_NE(w.TextSQL.Text(), "select   id,name from customers where id=1");
  for (forms::Control* c : usableControls(w)) EXPECT_TRUE(c->Enabled()) << c->Name();
  EXPECT_FALSE(w.CommandEmbed.Enabled()) << "no embed name yet";
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(BuilderLink, AStatementEndingInABareFromDisablesTheImportControls) {
  formSQLNew& w = connected();
  w.TextEmbed.Text("Orders");
  for (const char* from : {"FROM", "from", "FrOm"}) {
    w.SQLBuilder.SQL("SELECT 1");
    w.SQLBuilder.SQL(std::string("SELECT id ") + from);
    EXPECT_TRUE(w.TextSQL.Text().ends_with("FROM")) << w.TextSQL.Text();
    for (forms::Control* c : usableControls(w)) EXPECT_FALSE(c->Enabled()) << from << " " << c->Name();
    EXPECT_FALSE(w.CommandEmbed.Enabled());
  }
  w.SQLBuilder.SQL("SELECT id FROM customers");
  for (forms::Control* c : usableControls(w)) EXPECT_TRUE(c->Enabled()) << c->Name();
  EXPECT_TRUE(w.CommandEmbed.Enabled()) << "with an embed name";
}

TEST_F(BuilderLink, AnEmptyStatementCountsAsUsableAndTheGuardRefusesIt) {
  formSQLNew& w = connected();
  typeStatement(w, "SELECT 1");
  typeStatement(w, "");
  EXPECT_TRUE(w.CommandExecute.Enabled());
  w.CommandExecute.userClick();
  capture_.expectBox(0, "The SQL Text Box is empty, please enter a SQL Statement", MsgIcon::Information);
}

TEST_F(BuilderLink, TextTheBuilderRejectsStaysAsTyped) {
  formSQLNew& w = connected();
  typeStatement(w, "SELEKT this is no statement");
  capture_.expectBox(0, "There is a problem with this SQL Statement - Please Check it!", MsgIcon::Information);
  EXPECT_EQ(w.TextSQL.Text(), "SELEKT this is no statement");
  EXPECT_EQ(capture_.log(), "");
}

TEST_F(BuilderLink, ClickingExecuteRunsTheBuildersLayoutOfTheTypedText) {
  formSQLNew& w = connected();
  typeStatement(w, "SELECT 1");
  w.TextSQL.userFocus();
  w.TextSQL.userSetText("select code from products where id = 7");
  w.CommandExecute.userClick();  // takes the focus first: the builder lays out the text before Execute runs
  EXPECT_EQ(w.TextSQL.Text(), w.SQLBuilder.FormattedSQL());
  ASSERT_NE(w.DataGrid.DataSource(), nullptr) << capture_.log();
  EXPECT_EQ(w.DataGrid.DataSource()->rowCount(), 1);
}

TEST_F(BuilderLink, TheExpressionBoxEditsCancelsAndLeavesAlone) {
  formSQLNew& w = connected();
  w.SQLBuilder.SQL("SELECT id, name FROM customers");
  auto& dialogs = capture_.dialogs();

  dialogs.answerInput("upper(name)");
  w.SQLBuilder.builder().requestExpressionEdit(1);
  ASSERT_EQ(dialogs.inputs().size(), 1u);
  EXPECT_EQ(dialogs.inputs()[0].prompt, "Enter expression");
  EXPECT_EQ(dialogs.inputs()[0].title, "Tavrello");
  EXPECT_EQ(dialogs.inputs()[0].defaultText, "name");
  EXPECT_EQ(w.TextSQL.Text(), "SELECT id, UPPER(name) FROM customers");

  // An unchanged answer writes nothing, so the builder raises no change that
  // would rewrite the statement box.
  w.TextSQL.Text("untouched");
  dialogs.answerInput("UPPER(name)");
  w.SQLBuilder.builder().requestExpressionEdit(1);
  EXPECT_EQ(dialogs.inputs()[1].defaultText, "UPPER(name)");
  EXPECT_EQ(w.TextSQL.Text(), "untouched");

  // Cancelling answers the empty text, which removes the expression.
  w.SQLBuilder.builder().requestExpressionEdit(1);
  EXPECT_EQ(w.TextSQL.Text(), "SELECT id FROM customers");
}

}  // namespace
}  // namespace tavrello
