#include "profiles/system_path.h"

#include <gtest/gtest.h>

#include "platform/forms/dialog_service.h"
#include "platform/forms/scripted_dialog_service.h"
#include "support_lib/test_env.h"

namespace tavrello {
namespace {

using testing::ScopedEnv;

class SystemPath : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = forms::setDialogService(dialogs_); }
  void TearDown() override { forms::setDialogService(previous_); }

  std::shared_ptr<forms::ScriptedDialogService> dialogs_ = std::make_shared<forms::ScriptedDialogService>();
  std::shared_ptr<forms::DialogService> previous_;
};

TEST_F(SystemPath, ApplicationDataFolderEndsInASlash) {
  ScopedEnv data("XDG_DATA_HOME", "/home/ann/data");
  EXPECT_EQ(MStandardCode::SystemPath(26), "/home/ann/data/");
  ScopedEnv unset("XDG_DATA_HOME", std::nullopt);
  ScopedEnv home("HOME", "/home/ann");
  EXPECT_EQ(MStandardCode::SystemPath(26), "/home/ann/.local/share/");
}

TEST_F(SystemPath, UnresolvableFolderIsTheEmptyTextWithoutAReport) {
  ScopedEnv data("XDG_DATA_HOME", std::nullopt);
  ScopedEnv home("HOME", std::nullopt);
  EXPECT_EQ(MStandardCode::SystemPath(26), "");
  ScopedEnv someHome("HOME", "/home/ann");
  EXPECT_EQ(MStandardCode::SystemPath(5), "");
  EXPECT_TRUE(dialogs_->boxes().empty());
}

}  // namespace
}  // namespace tavrello
