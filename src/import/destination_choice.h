#pragma once

namespace tavrello {

class formSQLNew;

// Makes the host's active cell the import's destination, as the window's
// boxes ask: with New Workbook ticked, cell A1 of a new workbook; then, with
// Select Cell ticked, the cell the user points at in the host's range prompt,
// asked again (after saying why) until one cell is chosen; otherwise the
// active cell stays. Returns false when the user cancelled the prompt.
// Failures of the host pass to the caller.
bool ChooseDestination(formSQLNew& form);

}  // namespace tavrello
