#include "addin/command_bar_settings.h"

#include <string>

#include "platform/system/program_settings.h"
#include "support/number_text.h"

namespace tavrello {

namespace {

constexpr const char* kApplication = "VarnockSystems\\Tavrello";
constexpr const char* kSection = "CommandBarSettings";
constexpr const char* kNotSet = "NotSet";

void store(const char* key, const std::string& value) { sys::SaveSetting(kApplication, kSection, key, value); }

std::string read(const char* key, const std::string& defaultValue = {}) {
  return sys::GetSetting(kApplication, kSection, key, defaultValue);
}

std::int32_t readNumber(const char* key) { return wholeNumberFromText(read(key)); }

}  // namespace

void SaveCommandBarSettings(const std::shared_ptr<host::CommandBar>& toolbar) {
  if (!toolbar) return;
  store("Visible", toolbar->Visible() ? "Y" : "N");
  store("Position", std::to_string(toolbar->Position()));
  store("Left", std::to_string(toolbar->Left()));
  store("Top", std::to_string(toolbar->Top()));
  store("Width", std::to_string(toolbar->Width()));
  store("Height", std::to_string(toolbar->Height()));
  store("RowIndex", std::to_string(toolbar->RowIndex()));
}

void LoadCommandBarSettings(const std::shared_ptr<host::CommandBar>& toolbar) {
  if (!toolbar) return;
  if (read("Visible", kNotSet) == kNotSet) {
    toolbar->Visible(true);
    return;
  }
  toolbar->Visible(read("Visible", "Y") == "Y");
  toolbar->Position(readNumber("Position"));
  if (toolbar->Position() == host::MsoBarPosition::Floating) {
    toolbar->Left(readNumber("Left"));
    toolbar->Top(readNumber("Top"));
    toolbar->Width(readNumber("Width"));
    toolbar->Height(readNumber("Height"));
    return;
  }
  toolbar->RowIndex(readNumber("RowIndex"));
  const int position = toolbar->Position();
  if (position == host::MsoBarPosition::Top || position == host::MsoBarPosition::Bottom) {
    toolbar->Left(readNumber("Left"));
  } else {
    toolbar->Top(readNumber("Top"));
  }
}

}  // namespace tavrello
