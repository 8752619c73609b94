#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "platform/db/sample_database.h"
#include "platform/forms/shared_form.h"
#include "platform/host/workbook/workbook_application.h"
#include "profiles/connection_list.h"
#include "profiles/settings_format.h"
#include "query/form_sql_new.h"
#include "support_lib/report_capture.h"
#include "toolbar/c_control_events.h"
#include "toolbar/m_command_bars.h"

namespace tavrello::testing {

// A test of the query window inside the real workbook host: a fake home with
// a data folder, a host with one workbook open and the Tavrello toolbar
// built, and the shop sample database in SQLite. Every window is unloaded and
// the add-in's globals cleared afterwards. Header-only; link the add-in and
// the workbook host.
class QueryWindowFixture : public ::testing::Test {
 protected:
  explicit QueryWindowFixture(std::string hostVersion = "12.0") : hostVersion_(std::move(hostVersion)) {}

  void SetUp() override {
    db::createSampleDatabase(shopFile());
    app_ = host::WorkbookApplication::create(hostVersion_);
    app_->Workbooks()->Add();
    MGlobals::gxlApp = app_;
  }

  void TearDown() override {
    forms::unloadAllSharedForms();
    MGlobals::gcnDatabase.reset();
    MGlobals::gclsControlEvents.reset();
    MGlobals::gxlApp.reset();
    MGlobals::ConnectionList = ConnectionList();
  }

  std::filesystem::path shopFile() const { return capture_.dataFolder() / "shop.db"; }
  std::string shopConnection() const { return "Provider=SQLite;Data Source=" + shopFile().string() + ";"; }

  // Writes the settings file, then builds the toolbar, which loads it.
  void saveConnections(const std::vector<ConnectionProfile>& rows, bool buildToolbar = true) {
    writeFile(capture_.settingsFile(), formatSettingsFile(rows));
    if (buildToolbar) {
      ASSERT_TRUE(MCommandBars::bBuildCommandBars());
    }
  }

  // "Shop" (the sample database) and "Broken" (a database file that is not there).
  void saveShopAndBroken() {
    saveConnections({{"Shop", shopConnection()},
                     {"Broken", "Provider=SQLite;Data Source=" + (capture_.dataFolder() / "gone.db").string() + ";"}});
  }

  std::shared_ptr<host::CommandBarComboBox> toolbarCombo() const { return MCommandBars::connectionsCombo(); }

  // The shared query window, loaded and shown as Quick Load shows it.
  formSQLNew& openWindow() {
    window_ = forms::SharedForm<formSQLNew>::instance();
    window_->Show(forms::ShowMode::Modeless);
    return *window_;
  }
  bool windowOpen() const { return forms::SharedForm<formSQLNew>::exists(); }

  // Types a statement into the statement box and moves on, as a user who
  // types and then clicks elsewhere (the builder takes the text then).
  static void typeStatement(formSQLNew& window, const std::string& statement) {
    window.TextSQL.userFocus();
    window.TextSQL.userSetText(statement);
    window.ComboConnections.userFocus();
  }

  ReportCapture capture_;
  std::string hostVersion_;
  std::shared_ptr<host::WorkbookApplication> app_;
  std::shared_ptr<formSQLNew> window_;
};

}  // namespace tavrello::testing
