#include "host/addin_registration.h"

#include "platform/system/registry.h"

namespace tavrello::host {

namespace {

std::string classKey(const std::string& progId) { return std::string(kClassesKey) + "\\" + progId; }
std::string clsidKey(const std::string& classId) { return std::string(kClassesKey) + "\\CLSID\\" + classId; }

std::string readDefault(const std::string& path) {
  auto key = sys::RegKey::open(sys::HKEY_CURRENT_USER, path);
  if (!key) return {};
  return key->readString("").value_or("");
}

}  // namespace

AddinRegistration tavrelloRegistration(const std::string& libraryPath) {
  return {kTavrelloProgId, kTavrelloFriendlyName, kTavrelloDescription, kLoadAtStartup, kTavrelloClassId,
          libraryPath};
}

void writeAddinRegistration(const AddinRegistration& registration) {
  sys::RegistryBatch batch;
  auto addin = sys::RegKey::create(sys::HKEY_CURRENT_USER, std::string(kAddinsKey) + "\\" + registration.progId);
  addin.writeString("FriendlyName", registration.friendlyName);
  addin.writeString("Description", registration.description);
  addin.writeDword("LoadBehavior", registration.loadBehavior);
  sys::RegKey::create(sys::HKEY_CURRENT_USER, classKey(registration.progId) + "\\CLSID")
      .writeString("", registration.classId);
  sys::RegKey::create(sys::HKEY_CURRENT_USER, clsidKey(registration.classId) + "\\ProgID")
      .writeString("", registration.progId);
  sys::RegKey::create(sys::HKEY_CURRENT_USER, clsidKey(registration.classId) + "\\InprocServer32")
      .writeString("", registration.libraryPath);
  batch.finish();
}

bool removeAddinRegistration(const std::string& progId) {
  sys::RegistryBatch batch;
  std::string classId = readDefault(classKey(progId) + "\\CLSID");
  bool existed = sys::deleteKeyTree(sys::HKEY_CURRENT_USER, std::string(kAddinsKey) + "\\" + progId);
  sys::deleteKeyTree(sys::HKEY_CURRENT_USER, classKey(progId));
  if (!classId.empty()) sys::deleteKeyTree(sys::HKEY_CURRENT_USER, clsidKey(classId));
  batch.finish();
  return existed;
}

std::vector<AddinRegistration> readAddinRegistrations() {
  std::vector<AddinRegistration> result;
  auto addins = sys::RegKey::open(sys::HKEY_CURRENT_USER, kAddinsKey);
  if (!addins) return result;
  for (const std::string& progId : addins->subkeyNames()) {
    auto key = sys::RegKey::open(sys::HKEY_CURRENT_USER, std::string(kAddinsKey) + "\\" + progId);
    if (!key) continue;
    AddinRegistration entry;
    entry.progId = progId;
    entry.friendlyName = key->readString("FriendlyName").value_or("");
    entry.description = key->readString("Description").value_or("");
    entry.loadBehavior = key->readDword("LoadBehavior").value_or(0);
    entry.classId = readDefault(classKey(progId) + "\\CLSID");
    if (!entry.classId.empty()) entry.libraryPath = readDefault(clsidKey(entry.classId) + "\\InprocServer32");
    result.push_back(std::move(entry));
  }
  return result;
}

}  // namespace tavrello::host
