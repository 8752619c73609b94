#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/addin_switch.h"
#include "host/addin_manager.h"

namespace tavrello::host {

class Application;

// The host's add-in loader as the host window's Add-ins dialog drives it.
// Ticking an add-in connects it (ConnectMode AfterStartup) and sets its
// load behaviour to 3, unticking disconnects it (RemoveMode UserClosed) and
// sets it to 2, so the choice holds at the next start, as the spreadsheet
// host's own dialog does.
class WindowAddins : public gui::AddinSwitch {
 public:
  explicit WindowAddins(std::shared_ptr<Application> application);

  std::vector<gui::AddinListing> addins() override;
  bool connect(const std::string& progId) override;
  bool disconnect(const std::string& progId) override;
  void connectAtStartup() override;
  void disconnectAll() override;

  AddinManager& manager() { return manager_; }

 private:
  AddinManager manager_;
};

// Load behaviour of an add-in the user has unticked: registered to load at
// start-up, not loaded now.
inline constexpr std::uint32_t kLoadBehaviorUnloaded = 2;

}  // namespace tavrello::host
