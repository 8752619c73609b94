#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/host/command_bars.h"

// The add-in's toolbar "Tavrello": a combo box of the saved connections and
// four icon buttons. It is temporary, so the host forgets it when it closes;
// the add-in builds it at every connection and deletes it at shut-down, and
// never keeps a reference to it: every later use looks the bar up by name.
namespace tavrello::MCommandBars {

inline constexpr const char* kToolbarName = "Tavrello";
// Marks a button as the add-in's own for the click receiver.
inline constexpr const char* kButtonTag = "pxlTavrello";
// The combo box's first entry; selected, it means that no connection is chosen.
inline constexpr const char* kPlaceholderItem = "Tavrello Toolbar";
// The tooltip text that makes AddButton build the combo box instead.
inline constexpr const char* kConnectionsTooltip = "Connections";

// Replaces any toolbar "Tavrello" by a new, hidden, floating, temporary one
// holding, left to right: the connections combo box (the placeholder entry
// then every saved connection in file order, which also fills
// MGlobals::ConnectionList), quick load, the support page, the update check
// and the about button. Returns true once the bar has been made and its five
// controls requested (a control that fails is reported by AddButton and the
// others are still added); false, after reporting, when the bar itself
// cannot be made.
bool bBuildCommandBars();

// Adds one temporary control to `bar`. With tooltip "Connections" it adds the
// combo box: Parameter `parameter`, the placeholder entry, then the names
// from the settings file, the placeholder selected and width 150. Otherwise
// it adds a button with `parameter`, the tooltip and tag when not empty, and
// icon `face`. Reports its own failures; the control is then left as far as
// it got.
void AddButton(const std::shared_ptr<host::CommandBar>& bar, const std::string& tooltip, const std::string& tag,
               const std::string& parameter, std::int32_t face);

// The toolbar's connections combo box: the first control of the toolbar
// "Tavrello", looked up afresh. Fails as the host does when there is no such
// toolbar, and with "Type mismatch" when its first control is no combo box.
std::shared_ptr<host::CommandBarComboBox> connectionsCombo();

// Deletes the toolbar "Tavrello" if there is one; never fails.
void RemoveCommandBars();

}  // namespace tavrello::MCommandBars
