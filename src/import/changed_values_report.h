#pragma once

#include <string_view>

#include "platform/host/copy_report.h"

namespace tavrello {

// Tells the user what an import had to change: one information box titled
// "Tavrello" with a line for each field and kind (host::ColumnChange's
// toString), and the same lines as
// entries of the error log under formSQLNew and `procedure`. Nothing for an
// import that changed nothing. Never throws.
void TellChangedValues(const host::CopyReport& report, std::string_view procedure) noexcept;

}  // namespace tavrello
