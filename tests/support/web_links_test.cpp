#include "support/web_links.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "platform/forms/dialog_service.h"
#include "platform/forms/scripted_dialog_service.h"
#include "support/maker_site.h"
#include "support_lib/test_env.h"

namespace tavrello {
namespace {

namespace fs = std::filesystem;
using testing::FakeHome;
using testing::readFile;
using testing::ScopedEnv;
using testing::TempDir;

class WebLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(home_.dataHome() / "Tavrello");
    previous_ = forms::setDialogService(dialogs_);
  }
  void TearDown() override { forms::setDialogService(previous_); }

  FakeHome home_;
  TempDir dir_;
  std::shared_ptr<forms::ScriptedDialogService> dialogs_ = std::make_shared<forms::ScriptedDialogService>();
  std::shared_ptr<forms::DialogService> previous_;
};

TEST_F(WebLinks, SupportPageIsOnTheMakersSiteWithItsQueryInOrder) {
  EXPECT_EQ(kSupportPageUrl,
            kMakerSiteUrl + "/index.php?option=com_content&task=category&sectionid=3&id=7&Itemid=25");
  EXPECT_EQ(kMakerSiteUrl, "http://www.varnocksystems.com");
}

TEST_F(WebLinks, SupportPageIsHandedToTheBrowser) {
  const fs::path opener = dir_ / "opener";
  testing::writeFile(opener, "#!/bin/sh\nprintf '%s' \"$1\" > \"" + (dir_ / "url.tmp").string() + "\"\n/bin/mv \"" +
                                 (dir_ / "url.tmp").string() + "\" \"" + (dir_ / "url").string() + "\"\n");
  fs::permissions(opener, fs::perms(0755));
  ScopedEnv use("TAVRELLO_URL_OPENER", opener.string());

  MStandardCode::ShowTavrelloWebPage();
  for (int i = 0; i < 500 && !fs::exists(dir_ / "url"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(readFile(dir_ / "url"),
            "http://www.varnocksystems.com/index.php?option=com_content&task=category&sectionid=3&id=7&Itemid=25");
  EXPECT_TRUE(dialogs_->boxes().empty());
}

TEST_F(WebLinks, WithoutABrowserNothingIsShownOrReported) {
  ScopedEnv none("TAVRELLO_URL_OPENER", (dir_ / "no-browser").string());
  MStandardCode::ShowTavrelloWebPage();
  EXPECT_TRUE(dialogs_->boxes().empty());
  EXPECT_FALSE(fs::exists(home_.dataHome() / "Tavrello" / "TavrelloErrors.log"));
}

}  // namespace
}  // namespace tavrello
