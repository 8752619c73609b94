#include "support/m_error_handler.h"

#include <filesystem>
#include <memory>
#include <stdexcept>

#include <dlfcn.h>

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "platform/forms/command_button.h"
#include "platform/forms/dialog_service.h"
#include "platform/forms/form.h"
#include "platform/forms/events.h"
#include "platform/forms/scripted_dialog_service.h"
#include "platform/system/clock.h"
#include "support_lib/test_env.h"

namespace tavrello {
namespace {

namespace fs = std::filesystem;
using forms::MsgButtons;
using forms::MsgIcon;
using testing::FakeHome;
using testing::readFile;
using testing::ScopedEnv;

// 2026-01-02 03:04:05 UTC.
const sys::Clock::time_point kMorning = sys::Clock::from_time_t(1767323045);

// The host as far as the reporter uses it: it records the screen-updating
// switch and how many boxes had been shown when it was thrown.
class RecordingHost : public host::Application {
 public:
  explicit RecordingHost(const forms::ScriptedDialogService& dialogs, bool failing = false)
      : dialogs_(dialogs), failing_(failing) {}

  std::string Version() const override { return "12.0"; }
  bool ScreenUpdating() const override { return screenUpdating; }
  void ScreenUpdating(bool on) override {
    if (failing_) throw Failure::host();
    screenUpdating = on;
    boxesWhenSwitchedOn = dialogs_.boxes().size();
  }
  std::shared_ptr<host::Workbooks> Workbooks() override { throw Failure::host(); }
  std::shared_ptr<host::Workbook> ActiveWorkbook() override { throw Failure::host(); }
  std::shared_ptr<host::Worksheet> ActiveSheet() override { throw Failure::host(); }
  std::shared_ptr<host::Range> ActiveCell() override { throw Failure::host(); }
  std::shared_ptr<host::Range> Range(const std::string&) override { throw Failure::host(); }
  std::shared_ptr<host::Range> Range(const std::shared_ptr<host::Range>&, const std::shared_ptr<host::Range>&) override {
    throw Failure::host();
  }
  std::shared_ptr<host::Range> InputBox(const std::string&, const std::string&, const std::string&, int) override {
    throw Failure::host();
  }
  std::shared_ptr<host::CommandBars> CommandBars() override { throw Failure::host(); }

  bool screenUpdating = false;
  std::size_t boxesWhenSwitchedOn = 99;

 private:
  const forms::ScriptedDialogService& dialogs_;
  bool failing_;
};

class ErrorReport : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dataFolder());
    previous_ = forms::setDialogService(dialogs_);
  }
  void TearDown() override {
    forms::setDialogService(previous_);
    MGlobals::gxlApp.reset();
  }

  fs::path dataFolder() const { return home_.dataHome() / "Tavrello"; }
  fs::path logFile() const { return dataFolder() / "TavrelloErrors.log"; }
  std::string log() const { return readFile(logFile()); }

  void expectCriticalBox(std::size_t index, const std::string& text) {
    ASSERT_LT(index, dialogs_->boxes().size());
    const auto& box = dialogs_->boxes()[index];
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.buttons, MsgButtons::OkOnly);
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    EXPECT_EQ(box.title, "Tavrello");
  }

  FakeHome home_;
  ScopedEnv tz_{"TZ", "UTC"};
  sys::ScopedClockOverride clock_{kMorning};
  std::shared_ptr<forms::ScriptedDialogService> dialogs_ = std::make_shared<forms::ScriptedDialogService>();
  std::shared_ptr<forms::DialogService> previous_;
};

TEST_F(ErrorReport, FailureCaughtInAProcedureIsLoggedWithItsNameAndShown) {
  const bool caught = MErrorHandler::handled("formSQLNew", "CommandExcel_Click", [] {
    throw Failure(1004, "Application-defined or object-defined error");
  });
  EXPECT_TRUE(caught);
  EXPECT_EQ(log(),
            "01/02/26 03:04:05  [Tavrello]formSQLNew.CommandExcel_Click, Error 1004: "
            "Application-defined or object-defined error (CommandExcel_Click)\r\n\r\n");
  ASSERT_EQ(dialogs_->boxes().size(), 1u);
  expectCriticalBox(0, "Application-defined or object-defined error (CommandExcel_Click)");
}

TEST_F(ErrorReport, UserCancelIsLoggedAndNotShown) {
  auto host = std::make_shared<RecordingHost>(*dialogs_);
  MGlobals::gxlApp = host;
  MErrorHandler::handled("MStandardCode", "QuickLoad", [] { throw Failure::userCancel(); });
  EXPECT_EQ(log(), "01/02/26 03:04:05  [Tavrello]MStandardCode.QuickLoad, Error 18: UserCancel\r\n\r\n");
  EXPECT_TRUE(dialogs_->boxes().empty());
  EXPECT_FALSE(host->screenUpdating);
}

TEST_F(ErrorReport, AlreadyReportedFailureKeepsItsDescription) {
  MErrorHandler::handled("dsrConnect", "AddinInstance_OnConnection",
                         [] { throw Failure::alreadyReported("Application-defined or object-defined error"); });
  EXPECT_EQ(log(),
            "01/02/26 03:04:05  [Tavrello]dsrConnect.AddinInstance_OnConnection, Error 9999: "
            "Application-defined or object-defined error\r\n\r\n");
  expectCriticalBox(0, "Application-defined or object-defined error");
}

TEST_F(ErrorReport, NegativeNumbersKeepTheirSign) {
  MErrorHandler::ReportError("formSQLNew", "CommandConnect_Click",
                             Failure(-2147467259, "[unixODBC][Driver Manager]Data source name not found"));
  EXPECT_EQ(log(),
            "01/02/26 03:04:05  [Tavrello]formSQLNew.CommandConnect_Click, Error -2147467259: "
            "[unixODBC][Driver Manager]Data source name not found\r\n\r\n");
}

TEST_F(ErrorReport, EmptyDescriptionLeavesNothingAfterTheColonAndAnEmptyBox) {
  MErrorHandler::ReportError("MStandardCode", "OpenURL", Failure(5, ""));
  EXPECT_EQ(log(), "01/02/26 03:04:05  [Tavrello]MStandardCode.OpenURL, Error 5: \r\n\r\n");
  expectCriticalBox(0, "");
}

TEST_F(ErrorReport, TwoFailuresGiveTwoEntriesInOrder) {
  MErrorHandler::ReportError("formProfiles", "UserForm_Initialize", Failure(53, "File not found"));
  clock_.set(kMorning + std::chrono::hours(14) + std::chrono::seconds(1));
  MErrorHandler::ReportError("formProfiles", "CommandButtonOK_Click", Failure(91, "Object variable not set"));
  EXPECT_EQ(log(),
            "01/02/26 03:04:05  [Tavrello]formProfiles.UserForm_Initialize, Error 53: File not found\r\n\r\n"
            "01/02/26 17:04:06  [Tavrello]formProfiles.CommandButtonOK_Click, Error 91: Object variable not set\r\n"
            "\r\n");
  EXPECT_EQ(dialogs_->boxes().size(), 2u);
}

TEST_F(ErrorReport, LogIsAppendedToAndWrittenAsUtf8) {
  testing::writeFile(logFile(), "earlier entry\r\n\r\n");
  MErrorHandler::ReportError("formConnection", "CommandOK_Click", Failure(1004, "Tabelle \xc3\xbc" "ber 'K\xc3\xb6ln'"));
  EXPECT_EQ(log(),
            "earlier entry\r\n\r\n"
            "01/02/26 03:04:05  [Tavrello]formConnection.CommandOK_Click, Error 1004: Tabelle \xc3\xbc"
            "ber 'K\xc3\xb6ln'\r\n\r\n");
}

TEST_F(ErrorReport, TimeStampIsLocalTime) {
  ScopedEnv tokyo("TZ", "JST-9");
  MErrorHandler::ReportError("M", "P", Failure(1, "x"));
  EXPECT_EQ(log().substr(0, 17), "01/02/26 12:04:05");
}

TEST_F(ErrorReport, MissingDataFolderCreatesNothingAndStillShowsTheBox) {
  fs::remove_all(dataFolder());
  MErrorHandler::ReportError("MStandardCode", "QuickLoad", Failure(1004, "Lost"));
  EXPECT_FALSE(fs::exists(dataFolder()));
  EXPECT_TRUE(fs::is_empty(home_.dataHome()));
  expectCriticalBox(0, "Lost");
}

TEST_F(ErrorReport, WithoutAnApplicationDataFolderNothingIsWrittenAnywhere) {
  ScopedEnv noData("XDG_DATA_HOME", std::nullopt);
  ScopedEnv noHome("HOME", std::nullopt);
  testing::TempDir cwd;
  fs::create_directories(cwd / "Tavrello");
  const fs::path saved = fs::current_path();
  fs::current_path(cwd.path());
  MErrorHandler::ReportError("MStandardCode", "QuickLoad", Failure(1004, "Lost"));
  fs::current_path(saved);
  EXPECT_TRUE(fs::is_empty(cwd / "Tavrello")) << "no log relative to the current folder";
  expectCriticalBox(0, "Lost");
}

TEST_F(ErrorReport, ScreenUpdatingIsSwitchedOnBeforeTheBox) {
  auto host = std::make_shared<RecordingHost>(*dialogs_);
  MGlobals::gxlApp = host;
  MErrorHandler::ReportError("MCommandBars", "AddButton", Failure(1004, "x"));
  EXPECT_TRUE(host->screenUpdating);
  EXPECT_EQ(host->boxesWhenSwitchedOn, 0u);
  EXPECT_EQ(dialogs_->boxes().size(), 1u);
}

TEST_F(ErrorReport, AHostThatRefusesScreenUpdatingStillGetsTheBox) {
  MGlobals::gxlApp = std::make_shared<RecordingHost>(*dialogs_, true);
  MErrorHandler::ReportError("MCommandBars", "AddButton", Failure(1004, "x"));
  expectCriticalBox(0, "x");
  EXPECT_NE(log().find("MCommandBars.AddButton"), std::string::npos);
}

TEST_F(ErrorReport, ReportingNeverFailsTowardsTheCaller) {
  fs::remove_all(dataFolder());
  testing::writeFile(dataFolder(), "a file where the folder should be");
  dialogs_->answerMessageBox(forms::MsgResult::Yes);  // not a button of the box: the box fails
  EXPECT_NO_THROW(MErrorHandler::ReportError("M", "P", Failure(1, "x")));
}

TEST_F(ErrorReport, ResultSetSoFarIsReturnedAndTheCallerCarriesOn) {
  int result = 0;
  const bool caught = MErrorHandler::handled("M", "Count", [&] {
    result = 3;
    throw Failure::overflow();
  });
  EXPECT_TRUE(caught);
  EXPECT_EQ(result, 3);
  EXPECT_EQ(MErrorHandler::handled("M", "Name", std::string("unset"), []() -> std::string { throw Failure::typeMismatch(); }),
            "unset");
  EXPECT_EQ(MErrorHandler::handled("M", "Name", std::string(), [] { return std::string("fine"); }), "fine");
  EXPECT_FALSE(MErrorHandler::handled("M", "Quiet", [] {}));
  EXPECT_EQ(dialogs_->boxes().size(), 2u);
  EXPECT_NE(log().find("M.Name, Error 13: Type mismatch (Name)\r\n"), std::string::npos) << log();
}

TEST_F(ErrorReport, OtherExceptionsBecomeFailuresWithThePlatformsNumbers) {
  MErrorHandler::handled("M", "Alloc", [] { throw std::bad_alloc(); });
  MErrorHandler::handled("M", "Std", [] { throw std::runtime_error("vector too long"); });
  MErrorHandler::handled("M", "Odd", [] { throw 42; });
  EXPECT_EQ(log(),
            "01/02/26 03:04:05  [Tavrello]M.Alloc, Error 7: Out of memory (Alloc)\r\n\r\n"
            "01/02/26 03:04:05  [Tavrello]M.Std, Error 51: vector too long (Std)\r\n\r\n"
            "01/02/26 03:04:05  [Tavrello]M.Odd, Error 51: Internal error (Odd)\r\n\r\n");
}

TEST_F(ErrorReport, InnerHandlerReportsAndTheOuterProcedureCarriesOn) {
  bool outerRanOn = false;
  MErrorHandler::handled("formSQLNew", "Form_Load", [&] {
    MErrorHandler::handled("MStandardCode", "SystemPath", [] { throw Failure(5, "Bad folder"); });
    outerRanOn = true;
  });
  EXPECT_TRUE(outerRanOn);
  EXPECT_EQ(dialogs_->boxes().size(), 1u);
  expectCriticalBox(0, "Bad folder (SystemPath)");
}

TEST_F(ErrorReport, LibraryNameInBracketsIsTheAddinsOwnFileName) {
  using ReportErrorFunction = void (*)(std::string_view, std::string_view, const Failure&) noexcept;
  const ReportErrorFunction real = &MErrorHandler::ReportError;
  Dl_info info{};
  ASSERT_NE(::dladdr(reinterpret_cast<const void*>(real), &info), 0);
  ASSERT_EQ(fs::path(info.dli_fname).filename(), "Tavrello.so");
  ASSERT_NE(info.dli_sname, nullptr);

  // The same library under another name logs under that name.
  testing::TempDir dir;
  const fs::path renamed = dir / "Renamed.so";
  fs::copy_file(info.dli_fname, renamed);
  void* library = ::dlopen(renamed.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << ::dlerror();
  auto copy = reinterpret_cast<ReportErrorFunction>(::dlsym(library, info.dli_sname));
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(copy, real);
  copy("MStandardCode", "QuickLoad", Failure(1004, "x"));
  EXPECT_EQ(log(), "01/02/26 03:04:05  [Renamed]MStandardCode.QuickLoad, Error 1004: x\r\n\r\n");
  ::dlclose(library);
}

// A window whose button's click procedure has no handler of its own.
class ClickFailsForm : public forms::Form {
 public:
  ClickFailsForm() : Form("formSQLNew") {
    auto& button = add<forms::CommandButton>("CommandExcel");
    bind(button, forms::Event::Click, "CommandExcel_Click", [] { throw Failure(1004, "No cell"); });
  }
  forms::CommandButton& button() { return controlAs<forms::CommandButton>("CommandExcel"); }
};

TEST_F(ErrorReport, UnhandledEventFailuresAreReportedUnderTheFormAndProcedure) {
  MErrorHandler::routeUnhandledFailures();
  auto form = std::make_shared<ClickFailsForm>();
  form->button().userClick();
  EXPECT_EQ(log(), "01/02/26 03:04:05  [Tavrello]formSQLNew.CommandExcel_Click, Error 1004: No cell\r\n\r\n");
  expectCriticalBox(0, "No cell");
}

}  // namespace
}  // namespace tavrello
