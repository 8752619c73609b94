// The about box as the user sees it: built by the generic renderer through
// the Qt dialog service, offscreen.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

#include "gui/form_window.h"
#include "gui/qt_dialog_service.h"
#include "platform/forms/shared_form.h"
#include "qt_app.h"
#include "support/form_about.h"
#include "support_lib/test_env.h"

namespace tavrello {
namespace {

using testing::qtApp;

class AboutBoxWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { qtApp(); }
  void TearDown() override {
    forms::unloadAllSharedForms();
    testing::settle();
  }
  std::shared_ptr<gui::QtDialogService> service = std::make_shared<gui::QtDialogService>();
  forms::ScopedDialogService scoped{service};
};

TEST_F(AboutBoxWindow, ShowsTitleVersionAndProductNameOnItsWidgets) {
  const auto about = forms::SharedForm<formAbout>::instance();
  about->Show(forms::ShowMode::Modeless);
  gui::FormWindow* window = service->window(*about);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle().toStdString(), "Tavrello - About ");
  auto label = [&](const char* name) {
    auto* widget = qobject_cast<QLabel*>(window->controlWidget(name));
    return widget ? widget->text().toStdString() : std::string("(no label)");
  };
  EXPECT_EQ(label("lblTitle"), "  Tavrello");
  EXPECT_EQ(label("lblVersion"), "  Version 1.30.2");
  EXPECT_EQ(label("LabelAbout"),
            "Tavrello is a Microsoft Excel Add-in which makes it easy to import data from ODBC Compliant databases.");
  auto* logo = qobject_cast<QLabel*>(window->controlWidget("Image1"));
  ASSERT_NE(logo, nullptr);
  EXPECT_FALSE(logo->pixmap().isNull()) << "the logo is in the picture collection";
  auto* licence = qobject_cast<QPlainTextEdit*>(window->controlWidget("TextBox1"));
  ASSERT_NE(licence, nullptr);
  EXPECT_TRUE(licence->isReadOnly());
  EXPECT_TRUE(licence->toPlainText().contains("Varnock Systems"));
  auto* sysInfo = qobject_cast<QToolButton*>(window->controlWidget("CommandButtonSysInfo"));
  auto* ok = qobject_cast<QToolButton*>(window->controlWidget("CommandButtonOK"));
  ASSERT_NE(sysInfo, nullptr);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(sysInfo->text(), "System Information");
  EXPECT_EQ(ok->text(), "OK");

  testing::settle();
  const auto shot = testing::artefactDir() / "about_box.png";
  EXPECT_TRUE(window->grab().save(QString::fromStdString(shot.string())));
}

TEST_F(AboutBoxWindow, ShowAboutWaitsUntilOkClosesAndReleasesTheBox) {
  QTimer::singleShot(0, [] {
    auto* window = qobject_cast<gui::FormWindow*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    qobject_cast<QToolButton*>(window->controlWidget("CommandButtonOK"))->click();
  });
  MStandardCode::ShowAbout();
  EXPECT_FALSE(forms::SharedForm<formAbout>::exists());
}

}  // namespace
}  // namespace tavrello
