#include "host/host_program.h"

#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>

#include "host/addin_registration.h"
#include "platform/system/failure.h"
#include "host_test_support.h"
#include "support_lib/test_env.h"

namespace tavrello::host {
namespace {

using testing::logLines;

class HostProgramTest : public ::testing::Test {
 protected:
  tavrello::testing::FakeHome home;
  tavrello::testing::ScopedEnv log{"TAVRELLO_TEST_ADDIN_LOG", (home.home() / "calls.log").string()};
  tavrello::testing::ScopedEnv fail{"TAVRELLO_TEST_ADDIN_FAIL", std::nullopt};
  std::ostringstream out, err;
};

TEST_F(HostProgramTest, AHeadlessRunConnectsAndDisconnectsTheRegisteredAddins) {
  writeAddinRegistration({"Recorder.Connect", "Recorder", "", 3, "{0A0A0A0A-0000-0000-0000-000000000001}",
                          TAVRELLO_TEST_ADDIN});
  EXPECT_EQ(runProgram(parseCommandLine({"--headless"}), out, err), 0);
  EXPECT_EQ(logLines(home.home() / "calls.log"),
            (std::vector<std::string>{"created", "connect 1 12.0", "disconnect 0", "released"}));
  EXPECT_EQ(err.str(), "");
}

TEST_F(HostProgramTest, AFailureIsPrintedAsOneLineAndMakesTheExitStatusNonZero) {
  writeAddinRegistration({"Gone.Connect", "Gone", "", 3, "{0A0A0A0A-0000-0000-0000-000000000003}",
                          (home.home() / "gone.so").string()});
  writeAddinRegistration({"Recorder.Connect", "Recorder", "", 3, "{0A0A0A0A-0000-0000-0000-000000000001}",
                          TAVRELLO_TEST_ADDIN});
  EXPECT_EQ(runProgram(parseCommandLine({"--headless"}), out, err), 1);
  std::string printed = err.str();
  EXPECT_EQ(printed.rfind("Critical: Tavrello Workbook Host: The add-in Gone (Gone.Connect) could not be loaded", 0), 0u)
      << printed;
  EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1);
  // The host ran on with the other add-in.
  EXPECT_EQ(logLines(home.home() / "calls.log").size(), 4u);
}


TEST_F(HostProgramTest, RegisterAndUnregisterRoundTripKeepingTheUsersData) {
  tavrello::testing::TempDir install;
  tavrello::testing::writeFile(install / "Tavrello.so", "stand-in");
  registerTavrello(install.path(), out);
  auto registrations = readAddinRegistrations();
  ASSERT_EQ(registrations.size(), 1u);
  EXPECT_EQ(registrations[0].progId, "Tavrello.dsrConnect");
  EXPECT_EQ(registrations[0].libraryPath, (install / "Tavrello.so").string());
  auto settings = home.dataHome() / "Tavrello" / "connectionsettings.xml";
  EXPECT_TRUE(std::filesystem::exists(settings));
  EXPECT_NE(out.str().find("Created settings file"), std::string::npos);

  tavrello::testing::writeFile(settings, "edited by the user");
  registerTavrello(install.path(), out);
  EXPECT_EQ(tavrello::testing::readFile(settings), "edited by the user");
  EXPECT_NE(out.str().find("Kept the existing settings file"), std::string::npos);

  unregisterTavrello(out);
  EXPECT_TRUE(readAddinRegistrations().empty());
  EXPECT_EQ(tavrello::testing::readFile(settings), "edited by the user");
  EXPECT_TRUE(std::filesystem::exists(home.dataHome() / "Tavrello" / "sample.db"));
  std::ostringstream again;
  unregisterTavrello(again);
  EXPECT_NE(again.str().find("was not registered"), std::string::npos);
}

TEST_F(HostProgramTest, RegisterFindsTheLibraryInTheInstalledLibraryFolder) {
  // An installed package: <prefix>/bin/tavrello, <prefix>/lib/tavrello/Tavrello.so.
  tavrello::testing::TempDir prefix;
  std::filesystem::create_directories(prefix / "bin");
  const std::filesystem::path library = prefix / "bin" / kPrivateLibraryFolder / "Tavrello.so";
  std::filesystem::create_directories(library.parent_path());
  tavrello::testing::writeFile(library, "stand-in");
  registerTavrello(prefix / "bin", out);
  auto registrations = readAddinRegistrations();
  ASSERT_EQ(registrations.size(), 1u);
  EXPECT_EQ(registrations[0].libraryPath, (prefix / "lib" / "tavrello" / "Tavrello.so").string())
      << "an absolute path without '..'";

  // The build folder's layout, the library beside the program, comes first.
  tavrello::testing::writeFile(prefix / "bin" / "Tavrello.so", "stand-in");
  EXPECT_EQ(findTavrelloLibrary(prefix / "bin"), prefix / "bin" / "Tavrello.so");
}

TEST_F(HostProgramTest, RegisterWithoutTheLibraryNamesBothPlacesAndRegistersNothing) {
  tavrello::testing::TempDir empty;
  try {
    registerTavrello(empty / "bin", out);
    ADD_FAILURE() << "registered without a library";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 53);
    EXPECT_NE(failure.description().find((empty / "bin" / "Tavrello.so").string()), std::string::npos)
        << failure.description();
    EXPECT_NE(failure.description().find((empty / "lib" / "tavrello" / "Tavrello.so").string()), std::string::npos)
        << failure.description();
  }
  EXPECT_TRUE(readAddinRegistrations().empty());
  EXPECT_FALSE(std::filesystem::exists(home.dataHome() / "Tavrello")) << "no data folder either";
}

TEST_F(HostProgramTest, VersionPrintsTheProductNameAndTheVersionItShows) {
  EXPECT_EQ(runProgram(parseCommandLine({"--version"}), out, err), 0);
  EXPECT_EQ(out.str(), "Tavrello 1.30.2\n");
  EXPECT_EQ(err.str(), "");
}

TEST_F(HostProgramTest, BadArgumentsPrintUsageAndExitWithTwo) {
  EXPECT_EQ(runProgram(parseCommandLine({"--bogus"}), out, err), 2);
  EXPECT_NE(err.str().find("unknown argument '--bogus'"), std::string::npos);
  EXPECT_NE(err.str().find("Usage: tavrello"), std::string::npos);
  EXPECT_EQ(runProgram(parseCommandLine({"--help"}), out, err), 0);
  EXPECT_NE(out.str().find("Usage: tavrello"), std::string::npos);
}

}  // namespace
}  // namespace tavrello::host
