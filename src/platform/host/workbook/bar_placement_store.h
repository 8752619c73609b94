#pragma once

namespace tavrello::host {

class HostCommandBars;

// The host remembers where the user left its own built-in bars, per user,
// under HKEY_CURRENT_USER\Software\Tavrello\Workbook Host\CommandBars\<bar>:
// Visible, Position, Left, Top, RowIndex, and Width and Height when they
// were set, as 32-bit numbers. The add-ins' bars are theirs to remember.

// Applies the stored placement to the built-in bars. Values that are missing
// or out of range leave the bar's own; an unreadable store is no failure.
void loadBuiltInBarPlacement(HostCommandBars& bars);

// Stores the built-in bars' placement. Throws Failure when the store cannot
// be written.
void saveBuiltInBarPlacement(const HostCommandBars& bars);

}  // namespace tavrello::host
