#pragma once

#include <string>
#include <vector>

namespace tavrello::gui {

// One add-in as the Add-ins dialog lists it.
struct AddinListing {
  std::string progId;
  std::string friendlyName;
  std::string description;
  bool connected = false;
};

// What the host window needs of the host's add-in loader: the registered
// add-ins, and connecting or disconnecting one as the user ticks or unticks
// it. The host program supplies it; the window does not load libraries
// itself.
class AddinSwitch {
 public:
  virtual ~AddinSwitch() = default;

  // Every add-in registered for the current user, in registration order,
  // with whether it is connected now.
  virtual std::vector<AddinListing> addins() = 0;

  // Loads and connects the add-in (ConnectMode AfterStartup), and keeps it
  // loading at the host's next starts. False when it could not be loaded
  // (the loader has told the user why).
  virtual bool connect(const std::string& progId) = 0;

  // Disconnects the add-in (RemoveMode UserClosed) and releases it, and
  // keeps it from loading at the host's next starts. False when it was not
  // connected.
  virtual bool disconnect(const std::string& progId) = 0;

  // The host's start: connects every add-in registered to load at start-up.
  virtual void connectAtStartup() = 0;

  // The host's exit: disconnects every connected add-in (RemoveMode
  // HostShutdown), newest first.
  virtual void disconnectAll() = 0;
};

}  // namespace tavrello::gui
