#include "profiles/form_connection.h"

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>

#include "addin/m_globals.h"
#include "platform/forms/dialog_service.h"
#include "platform/forms/shared_form.h"
#include "profiles/connection_list.h"
#include "profiles/form_profiles.h"
#include "profiles/profiles_pictures.h"
#include "query/form_sql_new.h"
#include "support/m_error_handler.h"
#include "support/maker_site.h"

namespace tavrello {
namespace {

constexpr float kButtonWidth = 1335;
constexpr float kButtonHeight = 390;
constexpr float kButtonTop = 2640;

}  // namespace

formConnection::formConnection()
    : Form(kModule),
      LabelProfileName(add<forms::Label>("LabelProfileName")),
      TextName(add<forms::TextBox>("TextName")),
      LabelConnectionString(add<forms::Label>("LabelConnectionString")),
      TextConnectionString(add<forms::TextBox>("TextConnectionString")),
      CommandButton1(add<forms::CommandButton>("CommandButton1")),
      CommandOK(add<forms::CommandButton>("CommandOK")),
      CommandButtonCancel(add<forms::CommandButton>("CommandButtonCancel")) {
  Caption(std::string(kAppTitle) + " - Connection");
  Width(6000);
  Height(3300);
  Icon("TavrelloLogo");

  LabelProfileName.Move(180, 150, 2400, 240);
  LabelProfileName.Caption("Profile Name");
  TextName.Move(180, 405, 5640, 315);
  LabelConnectionString.Move(180, 855, 2400, 240);
  LabelConnectionString.Caption("Connection String");
  TextConnectionString.Move(180, 1110, 5640, 1320);
  TextConnectionString.MultiLine(true);
  TextConnectionString.ScrollBars(2);

  CommandButton1.Move(180, kButtonTop, kButtonWidth, kButtonHeight);
  CommandButton1.Caption("Edit");
  CommandButton1.Picture(pictures::kProfilesTakeBuilder);
  CommandButton1.ToolTipText("Take the connection string the query builder last connected with");
  CommandOK.Move(3135, kButtonTop, kButtonWidth, kButtonHeight);
  CommandOK.Caption("OK");
  CommandOK.Picture(pictures::kProfilesOK);
  CommandButtonCancel.Move(4485, kButtonTop, kButtonWidth, kButtonHeight);
  CommandButtonCancel.Caption("Cancel");
  CommandButtonCancel.Picture(pictures::kProfilesCancel);
  int tab = 0;
  for (forms::Control* control : std::initializer_list<forms::Control*>{
           &TextName, &TextConnectionString, &CommandButton1, &CommandOK, &CommandButtonCancel}) {
    control->TabIndex(tab++);
  }

  bind(forms::Event::Load, "UserForm_Initialize", [this] { UserForm_Initialize(); });
  bind(TextConnectionString, forms::Event::Change, "TextConnectionString_Change",
       [this] { TextConnectionString_Change(); });
  bind(CommandButton1, forms::Event::Click, "CommandButton1_Click", [this] { CommandButton1_Click(); });
  bind(CommandOK, forms::Event::Click, "CommandOK_Click", [this] { CommandOK_Click(); });
  bind(CommandButtonCancel, forms::Event::Click, "CommandButtonCancel_Click", [this] { CommandButtonCancel_Click(); });
}

void formConnection::UserForm_Initialize() {
  MErrorHandler::handled(kModule, "UserForm_Initialize", [this] {
    const auto manager = forms::SharedForm<formProfiles>::instance();
    const forms::ListBox& list = manager->ListConnections;
    std::string name;
    std::string connectionString;
    for (int row = 0; row < list.ListCount(); ++row) {
      if (!list.Selected(row)) continue;
      name = list.List(row, ConnectionList::kNameColumn);
      connectionString = list.List(row, ConnectionList::kConnectionStringColumn);
    }
    if (manager->Mode() == formProfiles::kEditMode) {
      TextName.Text(name);
      TextConnectionString.Text(connectionString);
      CommandOK.Enabled(true);
    } else {
      TextConnectionString.Text("");
      CommandOK.Enabled(false);
    }
    TextName.SetFocus();
  });
}

void formConnection::TextConnectionString_Change() {
  // Once enabled, OK stays enabled: an emptied string can be stored.
  if (!TextConnectionString.Text().empty()) CommandOK.Enabled(true);
}

void formConnection::CommandButton1_Click() {
  MErrorHandler::handled(kModule, "CommandButton1_Click", [this] {
    // Only an open query window has a builder worth asking; opening one here
    // would only find a builder that never connected.
    if (!forms::SharedForm<formSQLNew>::exists()) return;
    const builder::SQLBuilderControl& builder = forms::SharedForm<formSQLNew>::instance()->SQLBuilder;
    if (builder.HasConnected() && !builder.ConnectionString().empty()) {
      TextConnectionString.Text(builder.ConnectionString());
    }
  });
}

void formConnection::CommandOK_Click() {
  MErrorHandler::handled(kModule, "CommandOK_Click", [this] {
    if (TextName.Text().empty()) {
      forms::MsgBox("Please enter a name for the Connection.", forms::MsgButtons::OkOnly, forms::MsgIcon::Information,
                    kAppTitle);
      return;
    }
    const auto manager = forms::SharedForm<formProfiles>::instance();
    forms::ListBox& list = manager->ListConnections;
    bool newRow = true;
    if (manager->Mode() == formProfiles::kEditMode) {
      for (int row = 0; row < list.ListCount(); ++row) {
        if (!list.Selected(row)) continue;
        newRow = false;
        list.List(row, ConnectionList::kNameColumn, TextName.Text());
        list.List(row, ConnectionList::kConnectionStringColumn, TextConnectionString.Text());
      }
    }
    // The rows are counted in 16 bits, as every reader of the file counts
    // them: a row beyond that could be kept in no file that reads back.
    if (newRow && list.ListCount() >= std::numeric_limits<std::int16_t>::max()) throw Failure::overflow();
    if (newRow) {
      list.AddItem(TextName.Text());
      const int last = list.ListCount() - 1;
      list.List(last, ConnectionList::kConnectionStringColumn, TextConnectionString.Text());
      // The manager's selection rule enables its Edit and Remove.
      list.Selected(last, true);
      manager->Repaint();
    }
    MGlobals::ConnectionList.assign(manager->workingList());
    // Reports its own failures; the editor closes either way.
    MStandardCode::Update_XML_File();
    Unload();
  });
}

void formConnection::CommandButtonCancel_Click() { Unload(); }

}  // namespace tavrello
