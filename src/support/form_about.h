#pragma once

#include <string>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/system/registry.h"

namespace tavrello {

// The about box: the product's title, version, a one-line description, the
// logo and a licence notice, with a button that starts the system's
// information program. Shown modally by MStandardCode::ShowAbout; OK or the
// close box release it.
class formAbout : public forms::Form {
 public:
  formAbout();

  forms::Image& Image1;
  forms::Label& lblTitle;
  forms::Label& lblVersion;
  forms::Label& LabelAbout;
  forms::TextBox& TextBox1;
  forms::CommandButton& CommandButtonSysInfo;
  forms::CommandButton& CommandButtonOK;

  // Starts the system information program: the program named by the
  // machine registry (the MSINFO path, or MSINFO32.EXE in the shared tools
  // folder), else the first of hardinfo, gnome-system-monitor,
  // plasma-systemmonitor and ksysguard found on PATH. When there is none, or
  // it cannot be started, tells the user "System Information Is Unavailable
  // At This Time" instead. Never fails.
  static void StartSysInfo();

  // Reads the value `SubKeyRef` of the key `KeyName` below `KeyRoot` into
  // `KeyVal`: a string as it is, a 32-bit number as "&h" and the hexadecimal
  // digits of its bytes from the last to the first (each byte without a
  // leading zero; a final zero byte dropped first). Returns false, with
  // KeyVal emptied, when the key or value cannot be read; a value of another
  // type leaves KeyVal as it was and returns true.
  static bool GetKeyValue(sys::HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                          std::string& KeyVal);

 private:
  void UserForm_Initialize();
  void CommandButtonOK_Click();
  void CommandButtonSysInfo_Click();
};

namespace MStandardCode {

// Shows the shared about box modally; returns when the user has closed it.
// Failures pass to the caller.
void ShowAbout();

}  // namespace MStandardCode

}  // namespace tavrello
