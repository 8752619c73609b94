#include "host/window_addins.h"

#include <algorithm>

#include "host/addin_registration.h"
#include "platform/forms/dialog_service.h"
#include "platform/host/addin_entry.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"

namespace tavrello::host {
namespace {

// Rewrites the add-in's load behaviour; a store that cannot be written is
// told to the user, and the connection change happens all the same.
void storeLoadBehavior(AddinRegistration registration, std::uint32_t loadBehavior) {
  if (registration.loadBehavior == loadBehavior) return;
  registration.loadBehavior = loadBehavior;
  try {
    writeAddinRegistration(registration);
  } catch (const Failure& failure) {
    forms::MsgBox("The add-in's load behaviour could not be stored: " + failure.description(),
                  forms::MsgButtons::OkOnly, forms::MsgIcon::Exclamation, kHostTitle);
  }
}

}  // namespace

WindowAddins::WindowAddins(std::shared_ptr<Application> application) : manager_(std::move(application)) {}

std::vector<gui::AddinListing> WindowAddins::addins() {
  const std::vector<std::string> loaded = manager_.loaded();
  std::vector<gui::AddinListing> listing;
  for (const AddinRegistration& registration : readAddinRegistrations()) {
    const bool connected = std::find(loaded.begin(), loaded.end(), registration.progId) != loaded.end();
    listing.push_back({registration.progId, registration.friendlyName, registration.description, connected});
  }
  return listing;
}

bool WindowAddins::connect(const std::string& progId) {
  for (const AddinRegistration& registration : readAddinRegistrations()) {
    if (registration.progId != progId) continue;
    if (!manager_.load(registration, ConnectMode::AfterStartup)) return false;
    storeLoadBehavior(registration, kLoadAtStartup);
    return true;
  }
  return false;
}

bool WindowAddins::disconnect(const std::string& progId) {
  if (!manager_.disable(progId)) return false;
  for (const AddinRegistration& registration : readAddinRegistrations()) {
    if (registration.progId == progId) storeLoadBehavior(registration, kLoadBehaviorUnloaded);
  }
  return true;
}

void WindowAddins::connectAtStartup() { manager_.loadRegistered(); }

void WindowAddins::disconnectAll() { manager_.disconnectAll(); }

}  // namespace tavrello::host
