// Tools > Add-ins over a loader that records what it is asked, and the
// window's start without a display.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "gui/addins_dialog.h"
#include "gui/run_host_window.h"
#include "platform/host/workbook/workbook_application.h"
#include "qt_app.h"
#include "support_lib/test_env.h"

namespace tavrello::gui {
namespace {

// Two registered add-ins, the first connected; remembers the calls.
class RecordingSwitch : public AddinSwitch {
 public:
  std::vector<AddinListing> addins() override {
    return {{"Tavrello.dsrConnect", "Tavrello", "Tavrello - Import data to excel from standard databases.", true},
            {"Other.Connect", "", "", false}};
  }
  bool connect(const std::string& progId) override {
    calls.push_back("connect " + progId);
    return true;
  }
  bool disconnect(const std::string& progId) override {
    calls.push_back("disconnect " + progId);
    return true;
  }
  void connectAtStartup() override { calls.push_back("start"); }
  void disconnectAll() override { calls.push_back("exit"); }

  std::vector<std::string> calls;
};

class AddinsDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::qtApp(); }
  RecordingSwitch loader;
};

TEST_F(AddinsDialogTest, ListsTheAddinsTickedAsConnectedWithTheirDescriptions) {
  AddinsDialog dialog(loader);
  ASSERT_EQ(dialog.list()->count(), 2);
  EXPECT_EQ(dialog.list()->item(0)->text(), "Tavrello");
  EXPECT_EQ(dialog.list()->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(dialog.list()->item(1)->text(), "Other.Connect") << "no friendly name: the program identifier";
  EXPECT_EQ(dialog.list()->item(1)->checkState(), Qt::Unchecked);
  auto* description = dialog.findChild<QLabel*>(QStringLiteral("addinDescription"));
  ASSERT_NE(description, nullptr);
  EXPECT_TRUE(description->text().contains(QStringLiteral("Import data to excel from standard databases.")));
  dialog.list()->setCurrentRow(1);
  EXPECT_TRUE(description->text().contains(QStringLiteral("Other.Connect")));
}

TEST_F(AddinsDialogTest, OkConnectsWhatWasTickedAndDisconnectsWhatWasUnticked) {
  AddinsDialog dialog(loader);
  dialog.setTicked("Tavrello.dsrConnect", false);
  dialog.setTicked("Other.Connect", true);
  dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  EXPECT_EQ(loader.calls, (std::vector<std::string>{"disconnect Tavrello.dsrConnect", "connect Other.Connect"}));
}

TEST_F(AddinsDialogTest, CancelAndUnchangedTicksCallNothing) {
  {
    AddinsDialog dialog(loader);
    dialog.setTicked("Tavrello.dsrConnect", false);
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
  }
  {
    AddinsDialog dialog(loader);
    dialog.setTicked("Tavrello.dsrConnect", true);
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  }
  EXPECT_TRUE(loader.calls.empty());
}

TEST(RunHostWindow, WithoutADisplayItSaysSoAndPointsToHeadless) {
  testing::ScopedEnv display("DISPLAY", std::nullopt);
  testing::ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
  testing::ScopedEnv platform("QT_QPA_PLATFORM", std::nullopt);
  EXPECT_FALSE(displayAvailable());
  RecordingSwitch loader;
  int argc = 1;
  char name[] = "tavrello";
  char* argv[] = {name, nullptr};
  ::testing::internal::CaptureStderr();
  const int status = runHostWindow(argc, argv, host::WorkbookApplication::create(), loader);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, 2);
  EXPECT_NE(said.find("no display"), std::string::npos) << said;
  EXPECT_NE(said.find("tavrello --headless"), std::string::npos) << said;
  EXPECT_TRUE(loader.calls.empty()) << "no add-in was loaded";
}

TEST(RunHostWindow, AnyOfTheDisplayVariablesIsADisplay) {
  testing::ScopedEnv display("DISPLAY", std::nullopt);
  testing::ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
  testing::ScopedEnv platform("QT_QPA_PLATFORM", std::nullopt);
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    testing::ScopedEnv set(name, std::string(name) == "QT_QPA_PLATFORM" ? "offscreen" : ":0");
    EXPECT_TRUE(displayAvailable()) << name;
  }
  testing::ScopedEnv empty("DISPLAY", "");
  EXPECT_FALSE(displayAvailable()) << "an empty DISPLAY is none";
}

}  // namespace
}  // namespace tavrello::gui
