#include "support/form_about.h"

#include <filesystem>
#include <system_error>

#include "platform/forms/dialog_service.h"
#include "platform/forms/shared_form.h"
#include "platform/system/programs.h"
#include "support/maker_site.h"
#include "tavrello/version.h"

namespace tavrello {
namespace {

// Where the platform the add-in was written for records its system
// information program; machines that keep those values still find it.
constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSysInfoValue = "PATH";
constexpr const char* kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kSysInfoFolderValue = "MSINFO";
constexpr const char* kSysInfoProgram = "MSINFO32.EXE";

// The system information programs of the usual desktops, most detailed first.
constexpr const char* kSysInfoPrograms[] = {"hardinfo", "gnome-system-monitor", "plasma-systemmonitor", "ksysguard"};

// The access mask the about box has always opened its keys with.
constexpr sys::REGSAM kKeyAccess = 0x2003F;
constexpr sys::DWORD kValueBufferSize = 1024;

constexpr const char* kLicence =
    "This copy of Tavrello is licensed to its registered user. You may install it on the computers "
    "you work with and keep copies for backup. You may not sell, rent or hand on Tavrello, alone or "
    "as part of another product, without the written consent of Varnock Systems.\r\n\r\n"
    "Tavrello is provided as it is, without warranty of any kind. Varnock Systems is not liable for "
    "any loss of data, time or profit that arises from its use.";

void showUnavailable() {
  forms::MsgBox("System Information Is Unavailable At This Time", forms::MsgButtons::OkOnly, forms::MsgIcon::None,
                kAppTitle);
}

std::string hexDigits(unsigned char byte) {
  constexpr const char* digits = "0123456789ABCDEF";
  std::string text;
  if (byte >= 16) text += digits[byte / 16];
  text += digits[byte % 16];
  return text;
}

// The program the registry names, if any.
std::string registeredSysInfoPath() {
  std::string path;
  if (formAbout::GetKeyValue(sys::HKEY_LOCAL_MACHINE, kSysInfoKey, kSysInfoValue, path)) return path;
  if (formAbout::GetKeyValue(sys::HKEY_LOCAL_MACHINE, kSysInfoFolderKey, kSysInfoFolderValue, path)) {
    // The folder is joined with this system's separator.
    const std::string program = path + "/" + kSysInfoProgram;
    std::error_code error;
    if (std::filesystem::is_regular_file(program, error)) return program;
  }
  return {};
}

}  // namespace

formAbout::formAbout()
    : Form("formAbout"),
      Image1(add<forms::Image>("Image1")),
      lblTitle(add<forms::Label>("lblTitle")),
      lblVersion(add<forms::Label>("lblVersion")),
      LabelAbout(add<forms::Label>("LabelAbout")),
      TextBox1(add<forms::TextBox>("TextBox1")),
      CommandButtonSysInfo(add<forms::CommandButton>("CommandButtonSysInfo")),
      CommandButtonOK(add<forms::CommandButton>("CommandButtonOK")) {
  Width(6300);
  Height(4320);
  Icon("TavrelloLogo");

  Image1.Move(240, 240, 720, 720);
  Image1.Picture("TavrelloLogo");
  Image1.Stretch(true);

  lblTitle.Move(1140, 240, 4920, 480);
  lblTitle.Font(forms::FontInfo{"Tahoma", 14, true, false});
  lblVersion.Move(1140, 720, 4920, 300);

  LabelAbout.Move(1260, 1080, 4800, 600);
  LabelAbout.Caption(
      "Tavrello is a Microsoft Excel Add-in which makes it easy to import data from ODBC Compliant databases.");

  TextBox1.Move(240, 1800, 5820, 1560);
  TextBox1.MultiLine(true);
  TextBox1.ScrollBars(2);
  TextBox1.Locked(true);
  TextBox1.Text(kLicence);

  CommandButtonSysInfo.Move(2340, 3540, 2400, 420);
  CommandButtonSysInfo.Caption("System Information");
  CommandButtonSysInfo.Picture("Computer");
  CommandButtonSysInfo.TabIndex(1);
  CommandButtonOK.Move(4860, 3540, 1200, 420);
  CommandButtonOK.Caption("OK");
  CommandButtonOK.Picture("DialogOk");
  CommandButtonOK.TabIndex(0);

  bind(forms::Event::Load, "UserForm_Initialize", [this] { UserForm_Initialize(); });
  bind(CommandButtonOK, forms::Event::Click, "CommandButtonOK_Click", [this] { CommandButtonOK_Click(); });
  bind(CommandButtonSysInfo, forms::Event::Click, "CommandButtonSysInfo_Click",
       [this] { CommandButtonSysInfo_Click(); });
}

void formAbout::UserForm_Initialize() {
  Caption(std::string(kAppTitle) + " - About ");
  lblVersion.Caption("  Version " + std::to_string(version::kMajor) + "." + std::to_string(version::kMinor) + "." +
                     std::to_string(version::kRevision));
  lblTitle.Caption(std::string("  ") + kAppTitle);
}

void formAbout::CommandButtonOK_Click() { Unload(); }

void formAbout::CommandButtonSysInfo_Click() { StartSysInfo(); }

void formAbout::StartSysInfo() {
  try {
    std::string program = registeredSysInfoPath();
    if (program.empty()) {
      for (const char* name : kSysInfoPrograms) {
        if (auto found = sys::findProgramOnPath(name)) {
          program = *found;
          break;
        }
      }
    }
    if (program.empty() || !sys::startProgram(program, {})) showUnavailable();
  } catch (const Failure&) {
    showUnavailable();
  }
}

bool formAbout::GetKeyValue(sys::HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                            std::string& KeyVal) {
  sys::HKEY hKey{};
  if (sys::RegOpenKeyExA(KeyRoot, KeyName.c_str(), 0, kKeyAccess, &hKey) != sys::ERROR_SUCCESS) {
    KeyVal.clear();
    sys::RegCloseKey(hKey);
    return false;
  }
  std::string tmpVal(kValueBufferSize, '\0');
  sys::DWORD KeyValSize = kValueBufferSize;
  sys::DWORD KeyValType = 0;
  if (sys::RegQueryValueExA(hKey, SubKeyRef.c_str(), &KeyValType, reinterpret_cast<sys::BYTE*>(tmpVal.data()),
                            &KeyValSize) != sys::ERROR_SUCCESS) {
    KeyVal.clear();
    sys::RegCloseKey(hKey);
    return false;
  }
  tmpVal.resize(KeyValSize);
  if (!tmpVal.empty() && tmpVal.back() == '\0') tmpVal.pop_back();
  switch (KeyValType) {
    case sys::REG_SZ:
      KeyVal = tmpVal;
      break;
    case sys::REG_DWORD:
      for (auto byte = tmpVal.rbegin(); byte != tmpVal.rend(); ++byte) {
        KeyVal += hexDigits(static_cast<unsigned char>(*byte));
      }
      KeyVal = "&h" + KeyVal;
      break;
    default:
      break;
  }
  sys::RegCloseKey(hKey);
  return true;
}

namespace MStandardCode {

void ShowAbout() { forms::SharedForm<formAbout>::instance()->Show(forms::ShowMode::Modal); }

}  // namespace MStandardCode

}  // namespace tavrello
