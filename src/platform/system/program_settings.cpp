#include "platform/system/program_settings.h"

#include "platform/system/registry.h"

namespace tavrello::sys {

namespace {

std::string sectionPath(std::string_view application, std::string_view section) {
  std::string path = "Software\\VB and VBA Program Settings\\";
  path += application;
  path += '\\';
  path += section;
  return path;
}

}  // namespace

std::string GetSetting(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
  try {
    if (application.empty() || section.empty() || key.empty()) return std::string(defaultValue);
    auto folder = RegKey::open(HKEY_CURRENT_USER, sectionPath(application, section), KEY_QUERY_VALUE);
    if (!folder) return std::string(defaultValue);
    return folder->readString(key).value_or(std::string(defaultValue));
  } catch (const Failure&) {
    return std::string(defaultValue);
  }
}

void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                 std::string_view value) {
  if (application.empty() || section.empty() || key.empty()) throw Failure::invalidCall();
  RegKey::create(HKEY_CURRENT_USER, sectionPath(application, section), KEY_SET_VALUE | KEY_CREATE_SUB_KEY)
      .writeString(key, value);
}

}  // namespace tavrello::sys
