#pragma once

#include "platform/forms/controls.h"
#include "platform/forms/form.h"

namespace tavrello {

// The connection editor: the name and the connection string of one saved
// connection, shown modally by the connection manager's Add and Edit. It
// works on the manager's working list directly: in the manager's mode
// "EDIT" on the selected row, otherwise (or with no row selected) on a new
// row. OK stores the fields there, copies the working list into
// MGlobals::ConnectionList and rewrites the settings file; Cancel and the
// close box store nothing. Made afresh each time it is shown.
//
// The only check is that the name is not empty: blanks, duplicate names and
// the form of the connection string are the user's business.
class formConnection : public forms::Form {
 public:
  static constexpr const char* kModule = "formConnection";

  formConnection();

  forms::Label& LabelProfileName;
  forms::TextBox& TextName;
  forms::Label& LabelConnectionString;
  forms::TextBox& TextConnectionString;
  // "Edit": takes the connection string the query window's builder last
  // connected with.
  forms::CommandButton& CommandButton1;
  forms::CommandButton& CommandOK;
  forms::CommandButton& CommandButtonCancel;

 private:
  void UserForm_Initialize();
  void TextConnectionString_Change();
  void CommandButton1_Click();
  void CommandOK_Click();
  void CommandButtonCancel_Click();
};

}  // namespace tavrello
