#pragma once

#include <memory>

#include "platform/host/command_bars.h"

// The toolbar's remembered place. The toolbar is temporary, so the host
// forgets it when it closes; its visibility and placement are kept in the
// user's program settings, application "VarnockSystems\Tavrello", section
// "CommandBarSettings", as seven text values: "Visible" ("Y" or "N"),
// "Position", "Left", "Top", "Width", "Height" and "RowIndex" (decimal whole
// numbers in the host's command-bar units). A missing "Visible" means nothing
// has been stored yet. Users' stored values rely on these names and texts.
namespace tavrello {

// Stores the seven values from `toolbar`, in the order above; does nothing
// without a toolbar. Has no handler: a failure stops the saving there and
// passes to the caller, and the values not yet written keep their contents.
void SaveCommandBarSettings(const std::shared_ptr<host::CommandBar>& toolbar);

// Applies the stored values to `toolbar`; does nothing without a toolbar. On
// the first start (nothing stored) it only shows the toolbar. Otherwise it
// shows the toolbar exactly when "Visible" is "Y" (case-sensitive), sets the
// stored position, and then the left, top, width and height for a floating
// bar, or the row index and then the left (top or bottom edge) or the top
// (left or right edge) for a docked one. Has no handler: a stored value that
// is missing or not a whole number (Failure 13, or 6 when too large), or a
// placement the host refuses, passes to the caller.
void LoadCommandBarSettings(const std::shared_ptr<host::CommandBar>& toolbar);

}  // namespace tavrello
