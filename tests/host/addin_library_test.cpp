#include "host/addin_library.h"

#include <gtest/gtest.h>

#include "host_test_support.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"
#include "support_lib/test_env.h"

namespace tavrello::host {
namespace {

using testing::logLines;

class AddinLibraryTest : public ::testing::Test {
 protected:
  tavrello::testing::TempDir dir;
  tavrello::testing::ScopedEnv log{"TAVRELLO_TEST_ADDIN_LOG", (dir / "calls.log").string()};
  tavrello::testing::ScopedEnv fail{"TAVRELLO_TEST_ADDIN_FAIL", std::nullopt};
};

TEST_F(AddinLibraryTest, TheEntryPointCreatesTheConnectionThatGetsConnectAndDisconnect) {
  auto app = WorkbookApplication::create();
  {
    LoadedAddin addin(TAVRELLO_TEST_ADDIN);
    addin.connect(app, ConnectMode::Startup);
    EXPECT_TRUE(addin.connected());
    EXPECT_EQ(app->CommandBars()->Item("Recorder")->Name(), "Recorder");
    addin.disconnect(RemoveMode::UserClosed);
    addin.disconnect(RemoveMode::UserClosed);  // once per connection
    EXPECT_FALSE(addin.connected());
  }
  EXPECT_EQ(logLines(dir / "calls.log"),
            (std::vector<std::string>{"created", "connect 1 12.0", "disconnect 1", "released"}));
}

TEST_F(AddinLibraryTest, ReleasingAConnectedAddinDisconnectsItFirst) {
  {
    LoadedAddin addin(TAVRELLO_TEST_ADDIN);
    addin.connect(WorkbookApplication::create("11.0"), ConnectMode::AfterStartup);
  }
  EXPECT_EQ(logLines(dir / "calls.log"),
            (std::vector<std::string>{"created", "connect 0 11.0", "disconnect 0", "released"}));
}

TEST_F(AddinLibraryTest, AFailureInTheConnectCallComesBackWithTheAddinsText) {
  tavrello::testing::ScopedEnv refuse("TAVRELLO_TEST_ADDIN_FAIL", "connect");
  LoadedAddin addin(TAVRELLO_TEST_ADDIN);
  try {
    addin.connect(WorkbookApplication::create(), ConnectMode::Startup);
    ADD_FAILURE() << "the refusal was lost";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 1004);
    EXPECT_EQ(failure.description(), "the recording add-in refuses to connect");
  }
  EXPECT_TRUE(addin.connected());  // it stays loaded until disconnected
}

TEST_F(AddinLibraryTest, AMissingLibraryIsFileNotFound) {
  try {
    LoadedAddin addin((dir / "nowhere.so").string());
    ADD_FAILURE() << "a missing library loaded";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 53);
    EXPECT_NE(failure.description().find("nowhere.so"), std::string::npos);
  }
}

TEST_F(AddinLibraryTest, AFileThatIsNoLibraryIsALoadError) {
  tavrello::testing::writeFile(dir / "broken.so", "not a shared library");
  try {
    LoadedAddin addin((dir / "broken.so").string());
    ADD_FAILURE() << "a text file loaded";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 48);
    EXPECT_NE(failure.description().find("broken.so"), std::string::npos);
  }
}

TEST_F(AddinLibraryTest, ALibraryWithoutTheEntryPointIsRefused) {
  try {
    LoadedAddin addin(TAVRELLO_TEST_NO_ENTRY);
    ADD_FAILURE() << "a library without entry point loaded";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 453);
    EXPECT_NE(failure.description().find("tavrello_addin_create"), std::string::npos);
  }
}

}  // namespace
}  // namespace tavrello::host
