#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/addin_registration.h"

namespace tavrello::host {

class Application;
class LoadedAddin;

// The add-ins the host has loaded. Each is loaded from its registration,
// connected with the application object, and disconnected when the user
// disables it or the host exits. A failure to load or connect one is shown
// to the user (a critical message box titled as the host) and the host goes
// on without it.
class AddinManager {
 public:
  explicit AddinManager(std::shared_ptr<Application> application);
  // Disconnects every add-in still connected, as at the host's exit.
  ~AddinManager();
  AddinManager(const AddinManager&) = delete;
  AddinManager& operator=(const AddinManager&) = delete;

  // Loads and connects (ConnectMode Startup) every add-in registered for
  // the current user with LoadBehavior 3, in registration order. Returns
  // how many were loaded (an add-in whose connect call failed stays loaded).
  int loadRegistered();

  // Loads and connects one add-in; false, after the message, when it fails.
  bool load(const AddinRegistration& registration, int connectMode);

  // The user disables an add-in: the disconnect call with RemoveMode
  // UserClosed, then the connection object is released. False when no such
  // add-in is loaded.
  bool disable(const std::string& progId);

  // The host exits: every connected add-in gets the disconnect call
  // (RemoveMode HostShutdown), in the reverse order of loading.
  void disconnectAll();

  // Program identifiers of the loaded add-ins, in loading order.
  std::vector<std::string> loaded() const;

 private:
  struct Entry;
  void report(const std::string& text) const;

  std::shared_ptr<Application> application_;
  std::vector<Entry> addins_;
};

}  // namespace tavrello::host
