#include "platform/forms/scripted_dialog_service.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/forms/command_button.h"
#include "platform/forms/file_dialog.h"
#include "platform/forms/form.h"
#include "platform/forms/shared_form.h"
#include "platform/forms/text_box.h"

namespace tavrello::forms {
namespace {

class ScriptedTest : public ::testing::Test {
 protected:
  std::shared_ptr<ScriptedDialogService> service = std::make_shared<ScriptedDialogService>();
  ScopedDialogService scoped{service};
};

TEST_F(ScriptedTest, EveryBoxIsRecordedAndAnsweredWithItsFirstButtonByDefault) {
  EXPECT_EQ(MsgBox("a", MsgButtons::OkOnly, MsgIcon::Information, "Tavrello"), MsgResult::Ok);
  EXPECT_EQ(MsgBox("b", MsgButtons::OkCancel), MsgResult::Ok);
  EXPECT_EQ(MsgBox("c", MsgButtons::AbortRetryIgnore), MsgResult::Abort);
  EXPECT_EQ(MsgBox("d", MsgButtons::YesNoCancel), MsgResult::Yes);
  EXPECT_EQ(MsgBox("e", MsgButtons::YesNo, MsgIcon::Exclamation), MsgResult::Yes);
  EXPECT_EQ(MsgBox("f", MsgButtons::RetryCancel), MsgResult::Retry);
  ASSERT_EQ(service->boxes().size(), 6U);
  EXPECT_EQ(service->boxes()[0].text, "a");
  EXPECT_EQ(service->boxes()[0].title, "Tavrello");
  EXPECT_EQ(service->boxes()[0].icon, MsgIcon::Information);
  EXPECT_EQ(service->boxes()[4].buttons, MsgButtons::YesNo);
}

TEST_F(ScriptedTest, QueuedAnswersAreGivenInOrderThenTheDefaultAgain) {
  service->answerMessageBox(MsgResult::No);
  service->answerMessageBox(MsgResult::Yes);
  EXPECT_EQ(MsgBox("1", MsgButtons::YesNo), MsgResult::No);
  EXPECT_EQ(MsgBox("2", MsgButtons::YesNo), MsgResult::Yes);
  service->answerMessageBox(MsgResult::No);
  EXPECT_EQ(MsgBox("3", MsgButtons::YesNo), MsgResult::No);
  EXPECT_EQ(MsgBox("4", MsgButtons::YesNo), MsgResult::Yes);
}

TEST_F(ScriptedTest, AnAnswerThatIsNotOneOfTheButtonsIsRefused) {
  service->answerMessageBox(MsgResult::No);
  EXPECT_THROW(MsgBox("only OK"), Failure);
}

TEST_F(ScriptedTest, PromptsAreRecordedAndCancelledUnlessAnswered) {
  EXPECT_EQ(InputBox("Enter expression", "Tavrello", "a + b"), "");
  service->answerInput("a - b");
  EXPECT_EQ(InputBox("Enter expression", "Tavrello", "a + b"), "a - b");
  ASSERT_EQ(service->inputs().size(), 2U);
  EXPECT_EQ(service->inputs()[0].prompt, "Enter expression");
  EXPECT_EQ(service->inputs()[0].defaultText, "a + b");

  EXPECT_EQ(dialogs().rangePrompt("Select a cell", "Tavrello", "$A$1"), std::nullopt);
  service->answerRange("Sheet2!B3");
  EXPECT_EQ(dialogs().rangePrompt("Select a cell", "Tavrello", "$A$1"), "Sheet2!B3");
  EXPECT_EQ(service->rangePrompts().size(), 2U);
}

TEST_F(ScriptedTest, TheFileDialogControlAsksTheServiceWithItsSettings) {
  struct Files : Form {
    Files() : Form("formSQLNew"), dialog(add<FileDialog>("CommonDialog2")) {}
    FileDialog& dialog;
  } form;
  form.dialog.DialogTitle("SQL File");
  form.dialog.Filter("SQL files (*.sql)|*.sql|All files (*.*)|*.*");
  form.dialog.InitDir("/home/u/.local/share/Tavrello/sql");
  form.dialog.FileName("old.sql");
  form.dialog.ShowOpen();
  EXPECT_EQ(form.dialog.FileName(), "") << "cancelled";
  service->answerFile("/tmp/q.sql");
  form.dialog.ShowSave();
  EXPECT_EQ(form.dialog.FileName(), "/tmp/q.sql");
  ASSERT_EQ(service->fileDialogs().size(), 2U);
  EXPECT_FALSE(service->fileDialogs()[0].save);
  EXPECT_TRUE(service->fileDialogs()[1].save);
  EXPECT_EQ(service->fileDialogs()[0].request.title, "SQL File");
  EXPECT_EQ(service->fileDialogs()[0].request.initialFolder, "/home/u/.local/share/Tavrello/sql");
  EXPECT_EQ(service->fileDialogs()[0].request.fileName, "old.sql");

  form.dialog.CancelError(true);
  try {
    form.dialog.ShowOpen();
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 32755);
  }
}

class formEditor : public Form {
 public:
  formEditor() : Form("formEditor"), name(add<TextBox>("TextName")), ok(add<CommandButton>("CommandOK")) {
    bind(ok, Event::Click, "CommandOK_Click", [this] {
      saved = name.Text();
      Unload();
    });
  }
  TextBox& name;
  CommandButton& ok;
  static inline std::string saved;
};

TEST_F(ScriptedTest, AModalFormRunsItsScriptAndShowReturnsWhenTheScriptClosesIt) {
  service->onModal("formEditor", [](Form& form) {
    form.controlAs<TextBox>("TextName").userSetText("Sales");
    form.controlAs<CommandButton>("CommandOK").userClick();
  });
  SharedForm<formEditor>::instance()->Show(ShowMode::Modal);
  EXPECT_EQ(formEditor::saved, "Sales");
  EXPECT_FALSE(SharedForm<formEditor>::exists());
  EXPECT_EQ(service->modalForms(), (std::vector<std::string>{"formEditor"}));
}

TEST_F(ScriptedTest, AModalFormWithoutAScriptIsHiddenAtOnce) {
  formEditor form;
  form.Show(ShowMode::Modal);
  EXPECT_TRUE(form.Loaded());
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Modal());
  EXPECT_EQ(service->modalForms(), (std::vector<std::string>{"formEditor"}));
}

TEST_F(ScriptedTest, AModelessFormRunsItsScriptAndStaysOpen) {
  Form* seen = nullptr;
  service->onModeless("formEditor", [&](Form& form) { seen = &form; });
  auto form = SharedForm<formEditor>::instance();
  form->Show(ShowMode::Modeless);
  EXPECT_EQ(seen, form.get());
  EXPECT_TRUE(form->Visible());
  form->Unload();
}

TEST_F(ScriptedTest, TheConsoleLineShowsIconTitleAndTextWithLineBreaksMarked) {
  EXPECT_EQ(ScriptedDialogService::consoleLine({"Are you sure you want \r\nto delete this connection?",
                                               MsgButtons::YesNo, MsgIcon::Exclamation, "Tavrello"}),
            "Exclamation: Tavrello: Are you sure you want  | to delete this connection?");
  EXPECT_EQ(ScriptedDialogService::consoleLine({"a\rb\nc", MsgButtons::OkOnly, MsgIcon::None, "Tavrello"}),
            "Message: Tavrello: a | b | c");
}

TEST_F(ScriptedTest, TheConsoleLineShowsControlCharactersOfTheTextAndTitleEscaped) {
  EXPECT_EQ(ScriptedDialogService::consoleLine({"Remove 'Sales\x1b[2J'?\r\nSure\x07", MsgButtons::YesNo,
                                               MsgIcon::Question, "Tav\x1b]0;x"}),
            "Question: Tav\\x1b]0;x: Remove 'Sales\\x1b[2J'? | Sure\\x07");
}

TEST(ScriptedEcho, EchoesEveryBoxAndCountsTheCriticalOnes) {
  std::ostringstream echo;
  ScriptedDialogService service(&echo);
  service.messageBox({"Disk full", MsgButtons::OkOnly, MsgIcon::Critical, "Tavrello"});
  service.messageBox({"Tavrello is uptodate", MsgButtons::OkOnly, MsgIcon::Information, "Tavrello"});
  EXPECT_EQ(echo.str(), "Critical: Tavrello: Disk full\nInformation: Tavrello: Tavrello is uptodate\n");
  EXPECT_EQ(service.criticalCount(), 1);
}

TEST(DialogServiceInstallation, WithoutAServiceBoxesGetTheirDefaultAnswer) {
  const auto previous = setDialogService(nullptr);
  EXPECT_EQ(MsgBox("x", MsgButtons::YesNo), MsgResult::Yes);
  EXPECT_EQ(InputBox("y"), "");
  auto mine = std::make_shared<ScriptedDialogService>();
  {
    ScopedDialogService scoped(mine);
    MsgBox("z");
  }
  MsgBox("after");
  EXPECT_EQ(mine->boxes().size(), 1U);
  setDialogService(previous);
}

}  // namespace
}  // namespace tavrello::forms
