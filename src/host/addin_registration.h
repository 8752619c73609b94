#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrello::host {

// Where the spreadsheet host's add-ins are registered for the current user,
// and where the class mapping (program identifier -> class id -> library)
// lives, as COM self-registration writes them.
inline constexpr const char* kAddinsKey = "Software\\Microsoft\\Office\\Excel\\Addins";
inline constexpr const char* kClassesKey = "Software\\Classes";

// Load at every start of the host, and load now.
inline constexpr std::uint32_t kLoadAtStartup = 3;

// The Tavrello add-in's own registration values.
inline constexpr const char* kTavrelloProgId = "Tavrello.dsrConnect";
inline constexpr const char* kTavrelloClassId = "{5C1AE57C-C893-4384-A8D4-512314A7B356}";
inline constexpr const char* kTavrelloFriendlyName = "Tavrello";
inline constexpr const char* kTavrelloDescription = "Tavrello - Import data to excel from standard databases.";

// One registered add-in, read back or to be written.
struct AddinRegistration {
  std::string progId;
  std::string friendlyName;
  std::string description;
  std::uint32_t loadBehavior = 0;
  std::string classId;      // empty when the program identifier has no class mapping
  std::string libraryPath;  // empty when the class id has no library
};

// The registration of Tavrello.so at `libraryPath`.
AddinRegistration tavrelloRegistration(const std::string& libraryPath);

// Writes the add-in entry (FriendlyName, Description as strings,
// LoadBehavior as a 32-bit number) and the class mapping:
//   HKCU\Software\Classes\<progId>\CLSID               (default) = classId
//   HKCU\Software\Classes\CLSID\<classId>\ProgID       (default) = progId
//   HKCU\Software\Classes\CLSID\<classId>\InprocServer32 (default) = libraryPath
// Throws Failure when the store cannot be written.
void writeAddinRegistration(const AddinRegistration& registration);

// Removes the add-in entry and its class mapping; false when there was no
// add-in entry. The user's other keys and files stay.
bool removeAddinRegistration(const std::string& progId);

// Every add-in entry of the current user, in key order, with its class
// mapping resolved as far as it goes.
std::vector<AddinRegistration> readAddinRegistrations();

}  // namespace tavrello::host
