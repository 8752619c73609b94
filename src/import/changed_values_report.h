#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/host/copy_report.h"

namespace tavrello {

// One line for each field and kind of change, in the report's order:
//   Column "note": 2 texts longer than 32,767 characters were cut to that length.
std::vector<std::string> ChangedValueLines(const host::CopyReport& report);

// Tells the user what an import had to change: one information box titled
// "Tavrello" with a line for each field and kind, and the same lines as
// entries of the error log under formSQLNew and `procedure`. Nothing for an
// import that changed nothing. Never throws.
void TellChangedValues(const host::CopyReport& report, std::string_view procedure) noexcept;

}  // namespace tavrello
