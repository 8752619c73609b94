#include "host/command_line.h"

#include <gtest/gtest.h>

namespace tavrello::host {
namespace {

TEST(CommandLine, ReadsTheCommandsAndTheHeadlessSwitch) {
  EXPECT_EQ(parseCommandLine({}).action, CommandLine::Action::Run);
  EXPECT_FALSE(parseCommandLine({}).headless);
  CommandLine headless = parseCommandLine({"--headless"});
  EXPECT_EQ(headless.action, CommandLine::Action::Run);
  EXPECT_TRUE(headless.headless);
  EXPECT_EQ(parseCommandLine({"register"}).action, CommandLine::Action::Register);
  EXPECT_EQ(parseCommandLine({"unregister", "--headless"}).action, CommandLine::Action::Unregister);
  EXPECT_EQ(parseCommandLine({"--help"}).action, CommandLine::Action::Help);
  EXPECT_EQ(parseCommandLine({"--version"}).action, CommandLine::Action::Version);
}

TEST(CommandLine, UnknownArgumentsAndTwoCommandsAreErrors) {
  EXPECT_EQ(parseCommandLine({"--frobnicate"}).error, "unknown argument '--frobnicate'");
  EXPECT_FALSE(parseCommandLine({"register", "unregister"}).error.empty());
  EXPECT_TRUE(parseCommandLine({"register", "register"}).error.empty());
}

TEST(CommandLine, HelpNamesEveryCommand) {
  std::string usage = usageText();
  for (const char* word : {"--headless", "register", "unregister", "--help", "--version"})
    EXPECT_NE(usage.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace tavrello::host
