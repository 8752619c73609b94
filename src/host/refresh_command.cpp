#include "host/refresh_command.h"

#include <cstdlib>
#include <filesystem>
#include <ostream>

#include "host/terminal_progress.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/connection_trust.h"
#include "platform/host/workbook/password_refresh.h"
#include "platform/host/workbook/query_connection.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"
#include "platform/system/printable_text.h"

namespace tavrello::host {

namespace {

struct Arguments {
  std::filesystem::path book;
  std::optional<std::filesystem::path> output;
  bool trust = false;
  std::string error;
};

Arguments parse(const std::vector<std::string>& arguments) {
  Arguments a;
  for (std::size_t i = 0; i < arguments.size() && a.error.empty(); ++i) {
    const std::string& arg = arguments[i];
    if (arg == "--trust") {
      a.trust = true;
    } else if (arg == "--output" || arg == "-o") {
      if (i + 1 == arguments.size()) a.error = arg + " needs a file name";
      else a.output = arguments[++i];
    } else if (arg.rfind("--password", 0) == 0 || arg == "-p") {
      a.error = "a password is never taken from the command line, where other users of this machine can read it: "
                "set TAVRELLO_PASSWORD, or run on a terminal to be asked";
    } else if (!arg.empty() && arg[0] == '-') {
      a.error = "unknown option '" + arg + "'";
    } else if (a.book.empty()) {
      a.book = arg;
    } else {
      a.error = "more than one workbook given ('" + a.book.string() + "', '" + arg + "')";
    }
  }
  if (a.error.empty() && a.book.empty()) a.error = "no workbook given";
  return a;
}

// Everything the command prints from the workbook (names, notes, statements
// in failures) or from a database's messages is shown with its control
// characters escaped, so that a workbook cannot drive the terminal.
std::string shown(std::string_view text) { return sys::printableText(text); }

std::string describe(const SheetQueryTable& table) {
  return shown("query table '" + table.Name() + "' on sheet '" + table.sheet()->name() + "'");
}

const char* kUsage = "Usage: tavrello refresh BOOK.xlsx [--output OTHER.xlsx] [--trust]\n";

// The password for a connection that needs one: the environment's, or the
// terminal's.
std::optional<std::string> passwordFor(const SheetQueryTable& table, const RefreshIo& io) {
  if (const char* password = std::getenv("TAVRELLO_PASSWORD")) return std::string(password);
  if (!io.askPassword) return std::nullopt;
  return io.askPassword("Password for the " + describe(table) + ": ");
}

// Refreshes one table; false (having said why) when it was refused or failed.
bool refreshTable(SheetQueryTable& table, bool trust, const RefreshIo& io) {
  const std::string where = describe(table);
  const std::string text = joinConnection(table.Connection());
  if (!trust) {
    if (auto why = untrustedReason(text)) {
      io.err << "Refused the " << where << ": " << shown(*why)
             << ". A workbook's connections are chosen by whoever wrote it; run with --trust only for a workbook "
                "you trust.\n";
      return false;
    }
  }
  try {
    if (!refreshAskingPassword(table, [&] { return passwordFor(table, io); })) {
      io.err << "The " << where
             << " needs a password, which was not saved with the workbook: set TAVRELLO_PASSWORD, or run on a "
                "terminal to be asked.\n";
      return false;
    }
  } catch (const Failure& failure) {
    // A cancel ends the whole command, not this table alone.
    if (failure.number() == failure_number::kUserCancel) throw;
    io.err << "The " << where << " could not be refreshed: " << shown(failure.description()) << "\n";
    return false;
  }
  const auto& block = table.result();
  std::int32_t rows = block ? block->rows() - (table.FieldNames() ? 1 : 0) : 0;
  io.out << "Refreshed the " << where << ": " << rows << (rows == 1 ? " row" : " rows") << ".\n";
  // Values no cell holds as they came are changed, and said so.
  for (const ColumnChange& change : table.LastRefreshChanges().changes) io.err << change.toString() << "\n";
  return true;
}

}  // namespace

int runRefresh(const std::vector<std::string>& arguments, const RefreshIo& io) {
  Arguments a = parse(arguments);
  if (!a.error.empty()) {
    io.err << "tavrello refresh: " << shown(a.error) << ".\n" << kUsage;
    return 2;
  }
  auto app = WorkbookApplication::create(io.hostVersion);
  std::shared_ptr<Book> book;
  try {
    book = app->openBook(a.book);
  } catch (const Failure& failure) {
    io.err << shown(failure.description()) << "\n";
    return 1;
  }
  for (const auto& note : book->unkeptParts()) io.err << "Not kept from the file: " << shown(note) << "\n";
  // Saving over the file would lose what the host does not keep; a user who
  // asked only for fresh data must not find it gone.
  if (!a.output && !book->unkeptParts().empty()) {
    io.err << "Saving over " << shown(a.book.string())
           << " would lose the parts listed above; nothing was refreshed. Give --output OTHER.xlsx to save the "
              "refreshed workbook as another file.\n";
    return 1;
  }

  TerminalProgress progress("tavrello refresh");
  const auto cancelled = [&] {
    io.err << "tavrello refresh: cancelled; nothing was saved.\n";
    return 130;
  };
  std::size_t tables = 0, failed = 0;
  try {
    for (const auto& sheet : book->sheets()) {
      for (const auto& table : sheet->queryTables()) {
        ++tables;
        if (!refreshTable(*table, a.trust, io)) ++failed;
      }
    }
  } catch (const Failure& failure) {
    if (failure.number() == failure_number::kUserCancel) return cancelled();
    throw;
  }
  if (progress.cancelled()) return cancelled();
  if (tables == 0) {
    io.out << "The workbook has no query tables to refresh; it was not saved.\n";
    return 0;
  }
  if (failed > 0) {
    io.err << failed << " of " << tables << " query tables were not refreshed; nothing was saved.\n";
    return 1;
  }
  const std::filesystem::path target = a.output.value_or(a.book);
  try {
    for (const auto& warning : book->saveTo(target)) io.err << shown(warning) << "\n";
  } catch (const Failure& failure) {
    if (failure.number() == failure_number::kUserCancel) return cancelled();
    io.err << shown(failure.description()) << "\n";
    return 1;
  }
  io.out << "Saved " << shown(book->FullName()) << ".\n";
  return 0;
}

}  // namespace tavrello::host
