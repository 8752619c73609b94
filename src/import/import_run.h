#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "platform/host/copy_report.h"

namespace tavrello::db {
class Recordset;
}

namespace tavrello {

class formSQLNew;

// The working values of one import, Paste or Embed, from the click to its
// end.
struct ImportRun {
  // The statement's result set, from the preparation until the common exit
  // releases it.
  std::shared_ptr<db::Recordset> result;
  std::int32_t recordCount = 0;
  std::int32_t fieldCount = 0;
  // The statement returned no row: the import ended without its common exit,
  // so the window and MGlobals::gcnDatabase stay open.
  bool noRecords = false;
  // What the host had to change in the values it placed.
  host::CopyReport changes;
};

// The preparation both imports share: the statement guard with its test of
// the connection, the statement run on MGlobals::gcnDatabase, the record and
// field counts, the empty-result message, the destination choice and the grid
// limits of the host's version. Returns true when the import may write at
// the host's active cell; false when it stopped (having said why, except
// after a cancelled range prompt). Failures pass to the caller.
bool PrepareImport(formSQLNew& form, ImportRun& run);

// The common exit: releases the result set, closes MGlobals::gcnDatabase
// when it is open and releases it. Ignores every failure.
void EndImport(ImportRun& run) noexcept;

// One import as Paste and Embed run it: PrepareImport, then `write` when the
// preparation passed, both under the handler convention of formSQLNew's
// `procedure`; then the common exit (unless no row came back); then, when
// the host changed values on the way, one information box and log entries
// that say which (see changed_values_report.h).
void RunImport(formSQLNew& form, std::string_view procedure, const std::function<void(ImportRun&)>& write);

}  // namespace tavrello
