#include "profiles/form_profiles.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <tuple>

#include "addin/m_globals.h"
#include "platform/forms/dialog_service.h"
#include "platform/forms/shared_form.h"
#include "profiles/form_connection.h"
#include "profiles/installation_message.h"
#include "profiles/profiles_pictures.h"
#include "profiles/settings_document.h"
#include "profiles/settings_store.h"
#include "query/form_sql_new.h"
#include "support/m_error_handler.h"
#include "support/maker_site.h"

namespace tavrello {
namespace {

// The list shows names only: the connection string travels in a hidden
// second column, which is the list's value.
constexpr int kWorkingListColumns = 2;
constexpr int kConnectionStringBoundColumn = 2;
constexpr const char* kWorkingListWidths = "68;0";

// Buttons with a small picture beside the caption.
constexpr float kButtonWidth = 1335;
constexpr float kButtonHeight = 390;

}  // namespace

formProfiles::formProfiles()
    : Form(kModule),
      FrameProfiles(add<forms::Frame>("FrameProfiles")),
      ListConnections(add<forms::ListBox>("ListConnections")),
      CommandButtonAdd(add<forms::CommandButton>("CommandButtonAdd")),
      CommandButtonEdit(add<forms::CommandButton>("CommandButtonEdit")),
      CommandButtonRemove(add<forms::CommandButton>("CommandButtonRemove")),
      CommandButtonOK(add<forms::CommandButton>("CommandButtonOK")) {
  Caption(std::string(kAppTitle) + " - Connections");
  Width(3825);
  Height(3300);
  Icon("TavrelloLogo");

  FrameProfiles.Move(120, 60, 3585, 2580);
  FrameProfiles.Caption("Profiles");
  ListConnections.Container(FrameProfiles.Name());
  // Wide enough for the 68-point name column and a scroll bar.
  ListConnections.Move(150, 300, 1800, 2130);
  int tab = 0;
  ListConnections.TabIndex(tab++);
  float top = 300;
  for (auto [button, caption, picture] : {std::tuple{&CommandButtonAdd, "Add", pictures::kProfilesAdd},
                                          std::tuple{&CommandButtonEdit, "Edit", pictures::kProfilesEdit},
                                          std::tuple{&CommandButtonRemove, "Remove", pictures::kProfilesRemove}}) {
    button->Container(FrameProfiles.Name());
    button->Move(2100, top, kButtonWidth, kButtonHeight);
    button->Caption(caption);
    button->Picture(picture);
    button->TabIndex(tab++);
    top += kButtonHeight + 90;
  }
  CommandButtonOK.Move(2370, 2760, kButtonWidth, kButtonHeight);
  CommandButtonOK.Caption("OK");
  CommandButtonOK.Picture(pictures::kProfilesOK);
  CommandButtonOK.TabIndex(tab++);

  bind(forms::Event::Load, "UserForm_Initialize", [this] { UserForm_Initialize(); });
  bind(ListConnections, forms::Event::Change, "ListConnections_Change", [this] { ListConnections_Change(); });
  bind(CommandButtonAdd, forms::Event::Click, "CommandButtonAdd_Click", [this] { CommandButtonAdd_Click(); });
  bind(CommandButtonEdit, forms::Event::Click, "CommandButtonEdit_Click", [this] { CommandButtonEdit_Click(); });
  bind(CommandButtonRemove, forms::Event::Click, "CommandButtonRemove_Click",
       [this] { CommandButtonRemove_Click(); });
  bind(CommandButtonOK, forms::Event::Click, "CommandButtonOK_Click", [this] { CommandButtonOK_Click(); });
}

std::vector<ConnectionProfile> formProfiles::workingList() const {
  std::vector<ConnectionProfile> rows;
  for (int row = 0; row < ListConnections.ListCount(); ++row) {
    rows.push_back({ListConnections.List(row, ConnectionList::kNameColumn),
                    ListConnections.List(row, ConnectionList::kConnectionStringColumn)});
  }
  return rows;
}

void formProfiles::enableRowButtons(bool enabled) {
  CommandButtonEdit.Enabled(enabled);
  CommandButtonRemove.Enabled(enabled);
}

void formProfiles::UserForm_Initialize() {
  // A failure part-way leaves the rows read so far, nothing selected, Edit
  // and Remove as designed (enabled) and the ConnectionList as it was; the
  // manager still opens.
  try {
    const SettingsDocument doc = SettingsDocument::fromFile(settingsFilePath());
    const std::int16_t count = countConnections(doc);
    if (count == 0) {
      enableRowButtons(false);
      return;
    }
    ListConnections.Clear();
    ListConnections.BoundColumn(kConnectionStringBoundColumn);
    ListConnections.ColumnCount(kWorkingListColumns);
    ListConnections.ColumnWidths(kWorkingListWidths);
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
      ConnectionProfile row = doc.connection(i);
      ListConnections.AddItem(std::move(row.name));
      ListConnections.List(ListConnections.ListCount() - 1, ConnectionList::kConnectionStringColumn,
                           std::move(row.connectionString));
    }
    MGlobals::ConnectionList.assign(workingList());
    enableRowButtons(false);
    ListConnections.Selected(0, true);
  } catch (...) {
    showInstallationMessage();
    MErrorHandler::reportCurrentFailure(kModule, "UserForm_Initialize");
  }
}

void formProfiles::ListConnections_Change() {
  enableRowButtons(false);
  for (int row = 0; row < ListConnections.ListCount(); ++row) {
    if (ListConnections.Selected(row)) enableRowButtons(true);
  }
}

void formProfiles::editConnection(const char* mode) {
  Mode(mode);
  const auto editor = forms::SharedForm<formConnection>::instance();
  editor->Show(forms::ShowMode::Modal);
  // The editor is made afresh for every connection: one that was only
  // hidden goes now, as its close box would take it.
  if (editor->Loaded()) editor->Unload();
  MStandardCode::Update_XML_File();
}

void formProfiles::CommandButtonAdd_Click() { editConnection(kAddMode); }

void formProfiles::CommandButtonEdit_Click() {
  MErrorHandler::handled(kModule, "CommandButtonEdit_Click", [this] { editConnection(kEditMode); });
}

void formProfiles::CommandButtonRemove_Click() {
  MErrorHandler::handled(kModule, "CommandButtonRemove_Click", [this] {
    if (ListConnections.ListCount() == 0) return;
    int selected = -1;
    for (int row = 0; row < ListConnections.ListCount(); ++row) {
      if (ListConnections.Selected(row)) selected = row;
    }
    if (selected < 0) {
      forms::MsgBox("Please select an connection from the list - nothing is selected now!", forms::MsgButtons::OkOnly,
                    forms::MsgIcon::Exclamation, kAppTitle);
      return;
    }
    if (forms::MsgBox("Are you sure you want \r\nto delete this connection?", forms::MsgButtons::YesNo,
                      forms::MsgIcon::Exclamation, kAppTitle) != forms::MsgResult::Yes) {
      return;
    }
    ListConnections.RemoveItem(selected);
    if (ListConnections.ListCount() == 0 || ListConnections.ListIndex() < 0) enableRowButtons(false);
    MStandardCode::Update_XML_File();
    // The ConnectionList catches up on OK.
  });
}

void formProfiles::CommandButtonOK_Click() {
  MErrorHandler::handled(kModule, "CommandButtonOK_Click", [this] {
    // Touching the query window's list opens the window when it is not open.
    const auto window = forms::SharedForm<formSQLNew>::instance();
    forms::ComboBox& combo = window->ComboConnections;
    const SettingsDocument doc = SettingsDocument::fromFile(settingsFilePath());
    const std::int16_t count = countConnections(doc);
    if (count == 0) {
      // The ConnectionList keeps its old rows.
      combo.Clear();
      combo.AddItem(formSQLNew::kNoConnectionItem);
      combo.ListIndex(0);
    } else {
      ConnectionList& list = MGlobals::ConnectionList;
      list.resize(static_cast<std::size_t>(count));
      combo.Clear();
      for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        ConnectionProfile row = doc.connection(i);
        combo.AddItem(row.name);
        list.setValue(i, ConnectionList::kNameColumn, std::move(row.name));
        list.setValue(i, ConnectionList::kConnectionStringColumn, std::move(row.connectionString));
      }
      // A new choice of connection for the query window (its Click runs).
      combo.ListIndex(0);
    }
    Unload();
  });
}

namespace MStandardCode {

void Update_XML_File() {
  std::vector<ConnectionProfile> rows;
  const bool failed = MErrorHandler::handled("MStandardCode", "Update_XML_File", [&rows] {
    rows = forms::SharedForm<formProfiles>::instance()->workingList();
  });
  if (!failed) Update_XML_File(rows);
}

}  // namespace MStandardCode

}  // namespace tavrello
