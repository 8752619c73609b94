#include "platform/forms/shared_form.h"

#include <gtest/gtest.h>

#include "platform/forms/command_button.h"
#include "platform/forms/scripted_dialog_service.h"
#include "platform/forms/text_box.h"

namespace tavrello::forms {
namespace {

int loads = 0;
int destroyed = 0;
bool handlerSawItsFormAfterUnload = false;

class formShared : public Form {
 public:
  formShared() : Form("formShared"), ok(add<CommandButton>("CommandButtonOK")), text(add<TextBox>("TextName")) {
    bind(Event::Load, "UserForm_Initialize", [] { ++loads; });
    bind(ok, Event::Click, "CommandButtonOK_Click", [this] {
      Unload();
      // Still usable after unloading itself: the handler is running.
      text.Text("after unload");
      handlerSawItsFormAfterUnload = text.Text() == "after unload" && destroyed == 0;
    });
  }
  ~formShared() override { ++destroyed; }
  CommandButton& ok;
  TextBox& text;
};

class formFailsToLoad : public Form {
 public:
  formFailsToLoad() : Form("formFailsToLoad") {
    bind(Event::Load, "Form_Load", [] { throw Failure(53, "File not found"); });
  }
};

class SharedFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loads = 0;
    destroyed = 0;
    handlerSawItsFormAfterUnload = false;
  }
  void TearDown() override { unloadAllSharedForms(); }
  ScopedDialogService scoped{std::make_shared<ScriptedDialogService>()};
};

TEST_F(SharedFormTest, TheInstanceIsCreatedAndLoadedOnFirstUseOnly) {
  EXPECT_FALSE(SharedForm<formShared>::exists());
  const auto first = SharedForm<formShared>::instance();
  const auto second = SharedForm<formShared>::instance();
  EXPECT_EQ(first, second);
  EXPECT_TRUE(SharedForm<formShared>::exists());
  EXPECT_TRUE(first->Loaded());
  EXPECT_EQ(loads, 1);
}

TEST_F(SharedFormTest, UnloadReleasesTheInstanceAndTheNextUseCreatesAFreshOne) {
  SharedForm<formShared>::instance()->text.Text("typed");
  SharedForm<formShared>::instance()->Unload();
  EXPECT_FALSE(SharedForm<formShared>::exists());
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(SharedForm<formShared>::instance()->text.Text(), "");
  EXPECT_EQ(loads, 2);
}

TEST_F(SharedFormTest, AFormStaysAliveWhileItsOwnHandlerUnloadsIt) {
  formShared* form = SharedForm<formShared>::instance().get();
  form->Show(ShowMode::Modeless);
  form->ok.userClick();
  EXPECT_TRUE(handlerSawItsFormAfterUnload);
  EXPECT_EQ(destroyed, 1);
  EXPECT_FALSE(SharedForm<formShared>::exists());
}

TEST_F(SharedFormTest, AFailedLoadLeavesNoInstanceBehind) {
  EXPECT_THROW(SharedForm<formFailsToLoad>::instance(), Failure);
  EXPECT_FALSE(SharedForm<formFailsToLoad>::exists());
}

TEST_F(SharedFormTest, UnloadingAllRunsEveryUnloadHandler) {
  int unloads = 0;
  SharedForm<formShared>::instance()->bind(Event::Unload, "UserForm_Terminate", [&] { ++unloads; });
  unloadAllSharedForms();
  EXPECT_EQ(unloads, 1);
  EXPECT_FALSE(SharedForm<formShared>::exists());
}

}  // namespace
}  // namespace tavrello::forms
