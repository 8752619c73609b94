#include "gui/qt_dialog_service.h"

#include <gtest/gtest.h>

#include <functional>

#include <QAbstractButton>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui/form_window.h"
#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/shared_form.h"
#include "qt_app.h"

namespace tavrello::gui {
namespace {

using testing::qtApp;
using testing::settle;

// Acts on whatever modal window is up once the event loop runs.
void whenModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action = std::move(action)] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    action(modal);
  });
}

class formDialog : public forms::Form {
 public:
  formDialog() : Form("formDialog"), CommandButtonOK(add<forms::CommandButton>("CommandButtonOK")) {
    Caption("Dialog");
    Width(4500);
    Height(3000);
    CommandButtonOK.Caption("OK");
    CommandButtonOK.Move(3000, 2200, 1200, 375);
    bind(forms::Event::Resize, "Form_Resize", [this] { ++resizes; });
    bind(CommandButtonOK, forms::Event::Click, "CommandButtonOK_Click", [this] { Unload(); });
  }
  forms::CommandButton& CommandButtonOK;
  int resizes = 0;
};

class QtServiceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { qtApp(); }
  void TearDown() override {
    forms::unloadAllSharedForms();
    settle();
  }
  std::shared_ptr<QtDialogService> service = std::make_shared<QtDialogService>();
  forms::ScopedDialogService scoped{service};
};

TEST_F(QtServiceTest, AMessageBoxShowsTitleTextIconAndButtonsAndReturnsTheOneClicked) {
  QString text, title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = 0;
  whenModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    text = box->text();
    title = box->windowTitle();
    icon = box->icon();
    buttons = static_cast<int>(box->buttons().size());
    box->button(QMessageBox::No)->click();
  });
  const auto answer = forms::MsgBox("Are you sure you want \r\nto delete this connection?", forms::MsgButtons::YesNo,
                                    forms::MsgIcon::Exclamation, "Tavrello");
  EXPECT_EQ(answer, forms::MsgResult::No);
  EXPECT_EQ(text, "Are you sure you want \nto delete this connection?");
  EXPECT_EQ(title, "Tavrello");
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_EQ(buttons, 2);
}

TEST_F(QtServiceTest, EscapeOnAnOkBoxAnswersOk) {
  whenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
  EXPECT_EQ(forms::MsgBox("Tavrello is uptodate", forms::MsgButtons::OkOnly, forms::MsgIcon::Information, "Tavrello"),
            forms::MsgResult::Ok);
}

TEST_F(QtServiceTest, AnInputBoxReturnsTheTextOrNothingOnCancel) {
  whenModal([](QWidget* modal) {
    auto* dialog = qobject_cast<QInputDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->textValue(), "a + b");
    dialog->setTextValue("a - b");
    dialog->accept();
  });
  EXPECT_EQ(forms::InputBox("Enter expression", "Tavrello", "a + b"), "a - b");
  whenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(forms::InputBox("Enter expression", "Tavrello", "a + b"), "");
  whenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(forms::dialogs().rangePrompt("Select a cell", "Tavrello", "$A$1"), std::nullopt);
}

TEST_F(QtServiceTest, AModalFormRunsUntilItsOwnButtonUnloadsIt) {
  bool sawWindow = false;
  whenModal([&](QWidget* modal) {
    auto* window = qobject_cast<FormWindow*>(modal);
    ASSERT_NE(window, nullptr);
    sawWindow = window->isVisible() && window->windowTitle() == "Dialog" && window->size() == QSize(300, 200);
    qobject_cast<QPushButton*>(window->controlWidget("CommandButtonOK"))->click();
  });
  const auto form = forms::SharedForm<formDialog>::instance();
  form->Show(forms::ShowMode::Modal);
  EXPECT_TRUE(sawWindow);
  EXPECT_FALSE(form->Loaded());
  EXPECT_EQ(form->resizes, 1);
  EXPECT_FALSE(forms::SharedForm<formDialog>::exists());
  EXPECT_EQ(service->window(*form), nullptr);
}

TEST_F(QtServiceTest, TheCloseBoxOfAModalFormUnloadsIt) {
  whenModal([](QWidget* modal) { modal->close(); });
  const auto form = forms::SharedForm<formDialog>::instance();
  form->Show(forms::ShowMode::Modal);
  EXPECT_FALSE(form->Loaded());
}

TEST_F(QtServiceTest, AModelessFormStaysUntilHiddenAndGoesWhenUnloaded) {
  formDialog form;
  form.Show();
  QPointer<FormWindow> window = service->window(form);
  ASSERT_FALSE(window.isNull());
  EXPECT_TRUE(window->isVisible());
  form.Hide();
  EXPECT_FALSE(window->isVisible());
  form.Show();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(service->window(form), window.data()) << "the same window again";
  form.Unload();
  settle();
  EXPECT_TRUE(window.isNull());
}

}  // namespace
}  // namespace tavrello::gui
