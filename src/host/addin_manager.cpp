#include "host/addin_manager.h"

#include "host/addin_library.h"
#include "platform/forms/dialog_service.h"
#include "platform/host/addin_entry.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"

namespace tavrello::host {

struct AddinManager::Entry {
  std::string progId;
  std::string name;
  std::unique_ptr<LoadedAddin> addin;
};

namespace {

std::string displayName(const AddinRegistration& registration) {
  if (registration.friendlyName.empty()) return registration.progId;
  return registration.friendlyName + " (" + registration.progId + ")";
}

}  // namespace

AddinManager::AddinManager(std::shared_ptr<Application> application) : application_(std::move(application)) {}

AddinManager::~AddinManager() { disconnectAll(); }

void AddinManager::report(const std::string& text) const {
  forms::MsgBox(text, forms::MsgButtons::OkOnly, forms::MsgIcon::Critical, kHostTitle);
}

int AddinManager::loadRegistered() {
  int connected = 0;
  std::vector<AddinRegistration> registrations;
  try {
    registrations = readAddinRegistrations();
  } catch (const Failure& failure) {
    report("The add-in registrations cannot be read: " + failure.description());
    return 0;
  }
  for (const auto& registration : registrations) {
    if (registration.loadBehavior != kLoadAtStartup) continue;
    if (load(registration, ConnectMode::Startup)) ++connected;
  }
  return connected;
}

bool AddinManager::load(const AddinRegistration& registration, int connectMode) {
  const std::string name = displayName(registration);
  if (registration.libraryPath.empty()) {
    report("The add-in " + name + " could not be loaded: its registration names no library (" +
           (registration.classId.empty() ? "no class id" : "class " + registration.classId) +
           "). The host goes on without it.");
    return false;
  }
  std::unique_ptr<LoadedAddin> addin;
  try {
    addin = std::make_unique<LoadedAddin>(registration.libraryPath);
  } catch (const Failure& failure) {
    report("The add-in " + name + " could not be loaded: " + failure.description() +
           ". The host goes on without it.");
    return false;
  }
  Entry& entry = addins_.emplace_back(Entry{registration.progId, name, std::move(addin)});
  try {
    entry.addin->connect(application_, connectMode);
  } catch (const Failure& failure) {
    report("The add-in " + name + " failed while connecting: " + failure.description());
  }
  return true;
}

bool AddinManager::disable(const std::string& progId) {
  for (auto it = addins_.begin(); it != addins_.end(); ++it) {
    if (it->progId != progId) continue;
    try {
      it->addin->disconnect(RemoveMode::UserClosed);
    } catch (const Failure& failure) {
      report("The add-in " + it->name + " failed while disconnecting: " + failure.description());
    }
    addins_.erase(it);
    return true;
  }
  return false;
}

void AddinManager::disconnectAll() {
  for (auto it = addins_.rbegin(); it != addins_.rend(); ++it) {
    try {
      it->addin->disconnect(RemoveMode::HostShutdown);
    } catch (const Failure& failure) {
      report("The add-in " + it->name + " failed while disconnecting: " + failure.description());
    }
  }
}

std::vector<std::string> AddinManager::loaded() const {
  std::vector<std::string> ids;
  for (const auto& entry : addins_) ids.push_back(entry.progId);
  return ids;
}

}  // namespace tavrello::host
