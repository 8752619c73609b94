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

TEST(CommandLine, WorkbooksGivenAsPathsOrXlsxNamesAreOpenedInTheWindow) {
  // What the desktop's menu entry passes for %F: absolute paths.
  CommandLine line = parseCommandLine({"/home/ann/Q1 report.xlsx", "./notes.ods", "Budget.XLSX"});
  EXPECT_EQ(line.error, "");
  EXPECT_EQ(line.action, CommandLine::Action::Run);
  EXPECT_FALSE(line.headless);
  EXPECT_EQ(line.files, (std::vector<std::string>{"/home/ann/Q1 report.xlsx", "./notes.ods", "Budget.XLSX"}));
  // After "--" every word is a workbook, also one that looks like an option.
  EXPECT_EQ(parseCommandLine({"--", "-odd.xlsx", "register"}).files,
            (std::vector<std::string>{"-odd.xlsx", "register"}));
  EXPECT_EQ(parseCommandLine({"--", "register"}).action, CommandLine::Action::Run);
}

TEST(CommandLine, AMistypedCommandIsAnErrorNotAWorkbook) {
  EXPECT_EQ(parseCommandLine({"regsiter"}).error, "unknown argument 'regsiter'");
  EXPECT_EQ(parseCommandLine({".xlsx"}).error, "unknown argument '.xlsx'");
  EXPECT_EQ(parseCommandLine({""}).error, "unknown argument ''");
  EXPECT_EQ(parseCommandLine({"--output=/tmp/a.xlsx"}).error, "unknown argument '--output=/tmp/a.xlsx'");
}

TEST(CommandLine, WorkbooksGoWithTheWindowOnly) {
  EXPECT_EQ(parseCommandLine({"register", "/tmp/a.xlsx"}).error, "'register' opens no workbook ('/tmp/a.xlsx')");
  EXPECT_EQ(parseCommandLine({"a.xlsx", "--version"}).error, "'--version' opens no workbook ('a.xlsx')");
  EXPECT_EQ(parseCommandLine({"--headless", "a.xlsx"}).error,
            "--headless opens no workbook ('a.xlsx'); workbooks open in the window");
}

TEST(GlobalOptions, HostVersionIsTakenOutWhereverItStandsBeforeDoubleDash) {
  std::vector<std::string> arguments{"import", "--connection", "S", "--host-version", "11.0", "--output", "o.xlsx"};
  GlobalOptions options = takeGlobalOptions(arguments);
  EXPECT_EQ(options.error, "");
  EXPECT_EQ(options.hostVersion, "11.0");
  EXPECT_EQ(arguments, (std::vector<std::string>{"import", "--connection", "S", "--output", "o.xlsx"}));

  arguments = {"--host-version=14.0", "--headless"};
  EXPECT_EQ(takeGlobalOptions(arguments).hostVersion, "14.0");
  EXPECT_EQ(arguments, std::vector<std::string>{"--headless"});

  arguments = {"--", "--host-version", "11.0"};
  EXPECT_EQ(takeGlobalOptions(arguments).hostVersion, "12.0") << "after -- every word is a workbook";
  EXPECT_EQ(arguments.size(), 3u);

  arguments = {"register"};
  EXPECT_EQ(takeGlobalOptions(arguments).hostVersion, "12.0") << "the default";
}

TEST(GlobalOptions, AHostVersionMustBeAVersionNumber) {
  for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{
           {"--host-version"}, {"--host-version", "eleven"}, {"--host-version="}, {"--host-version", "11."},
           {"--host-version", ".5"}, {"--host-version", "1..2"}, {"--host-version", "12.0", "--host-version=11.0"}}) {
    EXPECT_NE(takeGlobalOptions(arguments).error, "") << arguments.back();
  }
  std::vector<std::string> fine{"--host-version", "16.0.1"};
  EXPECT_EQ(takeGlobalOptions(fine).error, "");
}

TEST(CommandLine, HelpNamesEveryCommand) {
  std::string usage = usageText();
  for (const char* word : {"--headless", "register", "unregister", "--help", "--version", "refresh", "connection list",
                           "import", "--host-version", "--sql-file", "--embed", "--new-workbook"})
    EXPECT_NE(usage.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace tavrello::host
