#pragma once

#include <memory>
#include <string>

#include "platform/host/command_bars.h"
#include "platform/host/range.h"
#include "platform/host/workbook.h"
#include "platform/host/worksheet.h"

namespace tavrello::host {

// The host application object that the add-in receives on connection and
// keeps for as long as it is loaded. Members carry the names of the
// spreadsheet object model the add-in was written against; a property is a
// getter Name() and a setter Name(value). Every call is made on the host's
// user-interface thread. Failures are tavrello::Failure, 1004 unless said
// otherwise.
class Application {
 public:
  virtual ~Application() = default;

  // Text whose leading number is the host's major version ("12.0").
  virtual std::string Version() const = 0;

  // Whether the host redraws its window; the error reporter switches it on
  // before it shows a failure.
  virtual bool ScreenUpdating() const = 0;
  virtual void ScreenUpdating(bool on) = 0;

  // The open workbooks.
  virtual std::shared_ptr<host::Workbooks> Workbooks() = 0;

  // The active workbook, its active sheet and that sheet's active cell;
  // nothing when no workbook is open.
  virtual std::shared_ptr<Workbook> ActiveWorkbook() = 0;
  virtual std::shared_ptr<Worksheet> ActiveSheet() = 0;
  virtual std::shared_ptr<host::Range> ActiveCell() = 0;

  // A range of the active sheet from an A1 address (which may name a sheet
  // of the active workbook: "Sheet2!B3"), or from two corner cells on one
  // sheet. 1004 when the address cannot be read or no workbook is open.
  virtual std::shared_ptr<host::Range> Range(const std::string& address) = 0;
  virtual std::shared_ptr<host::Range> Range(const std::shared_ptr<host::Range>& Cell1,
                                             const std::shared_ptr<host::Range>& Cell2) = 0;

  // The host's input prompt. This host offers Type 8, a cell reference: the
  // user types or points at an address (B3, $B$3, Sheet2!B3, B2:D4, with or
  // without a leading "="); the host returns that range, or nothing when
  // the user cancels. An address it cannot read is answered with a message
  // and the prompt is shown again. Any other Type fails with 5.
  virtual std::shared_ptr<host::Range> InputBox(const std::string& Prompt, const std::string& Title,
                                                const std::string& Default, int Type) = 0;

  // The host's command bars.
  virtual std::shared_ptr<host::CommandBars> CommandBars() = 0;
};

}  // namespace tavrello::host
