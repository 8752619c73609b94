#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/forms/shared_form.h"
#include "profiles/form_connection.h"
#include "profiles/form_profiles.h"
#include "support_lib/query_window_fixture.h"

namespace tavrello::testing {

// The connection manager and editor as the user reaches them: the query
// window open in the workbook host, New/Edit clicked, and scripts acting on
// the two modal dialogs the way a user's clicks and typing would.
class ConnectionDialogsFixture : public QueryWindowFixture {
 protected:
  // What the user does in the manager once it is shown; the script's last
  // action normally closes it (OK or the close box).
  void onManager(std::function<void(formProfiles&)> script) {
    capture_.dialogs().onModal("formProfiles", [script = std::move(script)](forms::Form& form) {
      script(static_cast<formProfiles&>(form));
    });
  }
  // What the user does in the editor each time it is shown.
  void onEditor(std::function<void(formConnection&)> script) {
    capture_.dialogs().onModal("formConnection", [script = std::move(script)](forms::Form& form) {
      script(static_cast<formConnection&>(form));
    });
  }

  // The query window opened as Quick Load opens it, then New/Edit.
  formSQLNew& openManager() {
    formSQLNew& window = openWindow();
    window.CommandManage.userClick();
    return window;
  }

  // The editor's fields filled in and OK pressed.
  static void fillAndConfirm(formConnection& editor, const std::string& name, const std::string& connectionString) {
    type(editor.TextName, name);
    type(editor.TextConnectionString, connectionString);
    editor.CommandOK.userClick();
  }
  static void type(forms::TextBox& box, const std::string& text) {
    box.userFocus();
    box.userSetText(text);
  }

  // The settings file written without indentation or line ends, so that any
  // rewrite by the add-in shows in its bytes; then the toolbar is built.
  void saveCompact(const std::vector<ConnectionProfile>& rows) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><connections>";
    for (const auto& row : rows) {
      text += "<c><name>" + escaped(row.name) + "</name><value>" + escaped(row.connectionString) + "</value></c>";
    }
    writeFile(capture_.settingsFile(), text + "</connections>");
    buildToolbar();
  }
  static void buildToolbar() { ASSERT_TRUE(MCommandBars::bBuildCommandBars()); }
  static std::string escaped(const std::string& value) {
    std::string out;
    for (char c : value) {
      if (c == '&') out += "&amp;";
      else if (c == '<') out += "&lt;";
      else out += c;
    }
    return out;
  }

  std::string settings() const { return readFile(capture_.settingsFile()); }

  static bool managerOpen() { return forms::SharedForm<formProfiles>::exists(); }
  static bool editorOpen() { return forms::SharedForm<formConnection>::exists(); }
};

// The settings file with no connection, as removing the last one writes it.
inline constexpr const char* kEmptySettingsFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<connections>\r\n</connections>\r\n";

}  // namespace tavrello::testing
