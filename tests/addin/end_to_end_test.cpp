// The add-in as the user meets it: registered for the user, loaded by the
// workbook host from that registration, showing its toolbar, and putting the
// toolbar back where it was after the host restarts.

#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "addin_fixture.h"
#include "host/addin_manager.h"
#include "host/host_program.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/program_settings.h"
#include "platform/system/registry.h"
#include "support_lib/host_run.h"
#include "support_lib/rename_counter.h"
#include "support_lib/report_capture.h"
#include "toolbar/c_control_events.h"

namespace tavrello {
namespace {

namespace fs = std::filesystem;
using testing::HostRun;
using testing::readFile;
using testing::runHost;
using testing::store;
using testing::stored;

std::vector<std::string> itemsOf(const host::CommandBarComboBox& combo) {
  std::vector<std::string> items;
  for (std::int32_t i = 1; i <= combo.ListCount(); ++i) items.push_back(combo.List(i));
  return items;
}

class EndToEnd : public testing::AddinFixture {
 protected:
  testing::TempDir scratch_;
};

TEST_F(EndToEnd, TheHostProgramLoadsTheRegisteredAddinAndItsToolbarReturnsToItsPlace) {
  const HostRun registered = runHost({"register"}, scratch_.path());
  ASSERT_EQ(registered.status, 0) << registered.err;
  ASSERT_TRUE(fs::exists(capture_.settingsFile()));

  const HostRun first = runHost({"--headless"}, scratch_.path());
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(first.err, "") << "no message box at all";
  EXPECT_NE(first.out.find("Add-ins connected: Tavrello.dsrConnect\nTool bar \"Tavrello\""), std::string::npos)
      << first.out;
  EXPECT_NE(first.out.find("Tavrello Toolbar, Sample"), std::string::npos) << first.out;
  EXPECT_EQ(stored("Visible"), "Y") << "the first start showed the toolbar and the exit stored its place";
  EXPECT_EQ(stored("Position"), "4");

  // The user docked the toolbar at the bottom, second row, 55 units in.
  store("Position", "3");
  store("RowIndex", "2");
  store("Left", "55");
  store("Top", "999");
  const HostRun second = runHost({"--headless"}, scratch_.path());
  EXPECT_EQ(second.status, 0);
  EXPECT_EQ(second.err, "");
  EXPECT_EQ(stored("Position"), "3");
  EXPECT_EQ(stored("RowIndex"), "2");
  EXPECT_EQ(stored("Left"), "55");
  EXPECT_NE(stored("Top"), "999") << "a bar docked at the bottom takes its top from the host";
  EXPECT_EQ(capture_.log(), "") << "nothing was reported";
}

// The identity and change time of the registry file: every write replaces it.
std::pair<ino_t, std::int64_t> registryStamp() {
  struct stat info {};
  const auto file = fs::path(*sys::userRegistryPath());
  EXPECT_EQ(::stat(file.c_str(), &info), 0) << file;
  return {info.st_ino, info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec};
}

// Every start rewrote the registry file 22 times, each time whole.
TEST_F(EndToEnd, AStartWritesTheRegistryOnceWhenPlacesChangedAndNotAtAllWhenNot) {
  ASSERT_EQ(runHost({"register"}, scratch_.path()).status, 0);
  testing::RenameCounter renames(fs::path(*sys::userRegistryPath()).parent_path());
  ASSERT_EQ(runHost({"--headless"}, scratch_.path()).status, 0);
  EXPECT_EQ(renames.count(), 1) << "the first start stores every bar's place, in one write";

  const auto settled = registryStamp();
  ASSERT_EQ(runHost({"--headless"}, scratch_.path()).status, 0);
  EXPECT_EQ(renames.count(), 1) << "nothing changed, so nothing was written";
  EXPECT_EQ(registryStamp(), settled);

  // The host's own bars lost their places: it stores each value again.
  ASSERT_TRUE(sys::deleteKeyTree(sys::HKEY_CURRENT_USER, "Software\\Tavrello\\Workbook Host"));
  const int before = renames.count();
  ASSERT_EQ(runHost({"--headless"}, scratch_.path()).status, 0);
  EXPECT_EQ(renames.count(), before + 1);
  EXPECT_TRUE(sys::RegKey::open(sys::HKEY_CURRENT_USER, "Software\\Tavrello\\Workbook Host"));
}

// A connection's name in the settings file could drive the terminal that
// runs the host.
TEST_F(EndToEnd, ControlCharactersInAConnectionsNameAreShownEscaped) {
  ASSERT_EQ(runHost({"register"}, scratch_.path()).status, 0);
  fs::copy_file(testing::hostileTestData() / "settings" / "terminal_escapes.xml", capture_.settingsFile(),
                fs::copy_options::overwrite_existing);
  const HostRun run = runHost({"--headless"}, scratch_.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.find('\x1b'), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Tavrello Toolbar, Sales\\x1b[2J\\x1b]0;owned\\x07\\u009b6n"), std::string::npos) << run.out;
}

TEST_F(EndToEnd, TheLoadedAddinShowsTheSavedConnectionsAndAnswersItsButtons) {
  std::ostringstream out;
  host::registerTavrello(host::programFolder(), out);

  auto app = host::WorkbookApplication::create();
  {
    host::AddinManager addins(app);
    ASSERT_EQ(addins.loadRegistered(), 1);
    EXPECT_EQ(addins.loaded(), std::vector<std::string>{"Tavrello.dsrConnect"});
    auto bar = app->CommandBars()->Item("Tavrello");
    EXPECT_TRUE(bar->Visible());
    auto combo = std::dynamic_pointer_cast<host::CommandBarComboBox>(bar->Controls()->Item(1));
    ASSERT_TRUE(combo);
    EXPECT_EQ(itemsOf(*combo), (std::vector<std::string>{"Tavrello Toolbar", "Sample"}));
    EXPECT_EQ(combo->Text(), "Tavrello Toolbar");

    bar->Controls()->Item(5)->Execute();
    EXPECT_EQ(capture_.dialogs().modalForms(), std::vector<std::string>{"formAbout"});

    bar->Left(321);
    bar->Top(123);
    addins.disconnectAll();
    EXPECT_THROW(app->CommandBars()->Item("Tavrello"), Failure);
  }

  auto restarted = host::WorkbookApplication::create();
  host::AddinManager addins(restarted);
  ASSERT_EQ(addins.loadRegistered(), 1);
  auto bar = restarted->CommandBars()->Item("Tavrello");
  EXPECT_EQ(bar->Left(), 321);
  EXPECT_EQ(bar->Top(), 123);
  addins.disconnectAll();
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

}  // namespace
}  // namespace tavrello
