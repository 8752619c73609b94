#pragma once

#include <string>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "profiles/connection_list.h"

namespace tavrello {

// The connection manager: the saved connections by name, with Add, Edit and
// Remove, opened modally by the query window's New/Edit. One shared instance
// (forms::SharedForm<formProfiles>), built and initialised from the settings
// file each time it opens, released by OK or the close box.
//
// The rows of ListConnections are the working list, column 0 the name and
// column 1 the connection string (hidden): the settings file is always
// written from them, after every Add, Edit (confirmed or cancelled) and
// Remove. OK reloads the file into MGlobals::ConnectionList and the query
// window's ComboConnections.
class formProfiles : public forms::Form {
 public:
  static constexpr const char* kModule = "formProfiles";
  // The manager modes the connection editor opens in.
  static constexpr const char* kAddMode = "ADD";
  static constexpr const char* kEditMode = "EDIT";

  formProfiles();

  forms::Frame& FrameProfiles;
  forms::ListBox& ListConnections;
  forms::CommandButton& CommandButtonAdd;
  forms::CommandButton& CommandButtonEdit;
  forms::CommandButton& CommandButtonRemove;
  forms::CommandButton& CommandButtonOK;

  // "ADD" or "EDIT": set just before the editor opens, read by the editor.
  const std::string& Mode() const { return mode_; }
  void Mode(std::string mode) { mode_ = std::move(mode); }

  // The working list's rows, in list order.
  std::vector<ConnectionProfile> workingList() const;

 private:
  void UserForm_Initialize();
  void ListConnections_Change();
  void CommandButtonAdd_Click();
  void CommandButtonEdit_Click();
  void CommandButtonRemove_Click();
  void CommandButtonOK_Click();

  // Shows the connection editor in `mode` and rewrites the settings file
  // when it has closed, however it closed.
  void editConnection(const char* mode);
  void enableRowButtons(bool enabled);

  std::string mode_;
};

namespace MStandardCode {

// Writes the settings file from the connection manager's working list (see
// Update_XML_File in settings_store.h). When the manager is not open it is
// opened without being shown, which loads the working list from the file
// first. Failures are reported under "MStandardCode"."Update_XML_File".
void Update_XML_File();

}  // namespace MStandardCode

}  // namespace tavrello
