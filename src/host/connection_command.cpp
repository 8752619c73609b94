#include "host/connection_command.h"

#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>

#include "host/headless_session.h"
#include "platform/db/secrets.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"
#include "platform/system/printable_text.h"

namespace tavrello::host {

namespace {

const char* kUsage = "Usage: tavrello connection list | add NAME STRING | edit NAME STRING | remove NAME\n";

// The forms and controls the command works, by the names the add-in gives them.
constexpr const char* kManager = "formProfiles";
constexpr const char* kEditor = "formConnection";

constexpr std::size_t kMaxInputLine = 64 * 1024;

enum class Verb { List, Add, Edit, Remove };

struct Arguments {
  Verb verb = Verb::List;
  std::string name;
  std::string connectionString;
  bool stringFromInput = false;
  std::string error;
};

Arguments parse(const std::vector<std::string>& arguments) {
  Arguments a;
  if (arguments.empty()) {
    a.error = "no subcommand given";
    return a;
  }
  const std::string& verb = arguments[0];
  std::size_t operands = 0;
  if (verb == "list") {
    a.verb = Verb::List;
  } else if (verb == "add" || verb == "edit") {
    a.verb = verb == "add" ? Verb::Add : Verb::Edit;
    operands = 2;
  } else if (verb == "remove") {
    a.verb = Verb::Remove;
    operands = 1;
  } else {
    a.error = "unknown subcommand '" + verb + "'";
    return a;
  }
  if (arguments.size() != operands + 1) {
    static const char* const kTakes[] = {"no more arguments", "NAME", "NAME and STRING"};
    a.error = "'" + verb + "' takes " + kTakes[operands];
    return a;
  }
  if (operands >= 1) a.name = arguments[1];
  if (operands == 2) {
    a.stringFromInput = arguments[2] == "-";
    if (!a.stringFromInput) a.connectionString = arguments[2];
  }
  return a;
}

// The first line of `in`, without its line end; nothing when there is none
// or it is longer than a connection string can sensibly be.
std::optional<std::string> readLine(std::istream& in) {
  std::string line;
  char c = 0;
  while (in.get(c) && c != '\n') {
    if (line.size() == kMaxInputLine) return std::nullopt;
    line += c;
  }
  if (line.empty() && !in && c != '\n') return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// What the user's clicks came to.
struct Outcome {
  bool managerShown = false;
  bool nameFound = true;
  bool refused = false;
  bool okDisabled = false;
  std::vector<std::vector<std::string>> rows;
};

void click(forms::Form& form, const char* button) { form.controlAs<forms::CommandButton>(button).userClick(); }

void type(forms::Form& form, const char* box, const std::string& text) {
  auto& field = form.controlAs<forms::TextBox>(box);
  field.userFocus();
  field.userSetText(text);
}

// In the editor: the fields typed, then OK; an editor that stays open has
// refused (its message says why, or OK was disabled) and is cancelled.
void actInEditor(forms::Form& editor, const Arguments& a, Outcome& outcome) {
  if (a.verb == Verb::Add) type(editor, "TextName", a.name);
  type(editor, "TextConnectionString", a.connectionString);
  outcome.okDisabled = !editor.controlAs<forms::CommandButton>("CommandOK").Enabled();
  click(editor, "CommandOK");
  if (editor.Loaded() && editor.Visible()) {
    outcome.refused = true;
    click(editor, "CommandButtonCancel");
  }
}

void actInManager(forms::Form& manager, const Arguments& a, forms::ScriptedDialogService& dialogs,
                  Outcome& outcome) {
  outcome.managerShown = true;
  auto& list = manager.controlAs<forms::ListBox>("ListConnections");
  if (a.verb == Verb::List) {
    outcome.rows = list.List();
    manager.userClose();
    return;
  }
  if (a.verb == Verb::Add) {
    click(manager, "CommandButtonAdd");
  } else {
    int row = -1;
    for (int i = 0; i < list.ListCount() && row < 0; ++i) {
      if (list.List(i, 0) == a.name) row = i;
    }
    if (row < 0) {
      // Nothing was changed: the close box writes nothing.
      outcome.nameFound = false;
      manager.userClose();
      return;
    }
    list.userSelect(row);
    if (a.verb == Verb::Edit) {
      click(manager, "CommandButtonEdit");
    } else {
      dialogs.answerMessageBox(forms::MsgResult::Yes);
      click(manager, "CommandButtonRemove");
    }
  }
  click(manager, "CommandButtonOK");
}

// Every box counts as a failure or a refusal but the removal's question.
bool failureOrRefusalShown(const forms::ScriptedDialogService& dialogs) {
  for (const auto& box : dialogs.boxes()) {
    if (box.buttons != forms::MsgButtons::YesNo) return true;
  }
  return false;
}

std::string cell(const std::vector<std::string>& row, std::size_t column) {
  return column < row.size() ? row[column] : std::string();
}

// A name or connection string as one field of a line: the tab between the
// fields and the line end written as escapes, and so the backslash too; the
// other control characters, which a terminal would act on, as
// sys::printableText writes them.
std::string field(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\t') out += "\\t";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return sys::printableText(out);
}

}  // namespace

int runConnection(const std::vector<std::string>& arguments, const ConnectionIo& io) {
  Arguments a = parse(arguments);
  if (a.error.empty() && a.stringFromInput) {
    if (auto line = readLine(io.in)) {
      a.connectionString = std::move(*line);
    } else {
      a.error = "the connection string was to come from standard input, which held no line (of at most 64 KiB)";
    }
  }
  if (!a.error.empty()) {
    io.err << "tavrello connection: " << sys::printableText(a.error) << ".\n" << kUsage;
    return 2;
  }

  Outcome outcome;
  bool failureShown = false;
  try {
    HeadlessSession session(io.err, io.hostVersion);
    forms::ScriptedDialogService& dialogs = session.dialogs();
    dialogs.onModal(kEditor, [&](forms::Form& editor) { actInEditor(editor, a, outcome); });
    dialogs.onModal(kManager, [&](forms::Form& manager) { actInManager(manager, a, dialogs, outcome); });
    // The query window reads the active cell when it loads; as in the window
    // started without a workbook, there is a new one.
    session.app().Workbooks()->Add();
    auto window = session.quickLoadDisconnected();
    window->controlAs<forms::CommandButton>("CommandManage").userClick();
    session.end();
    failureShown = failureOrRefusalShown(dialogs);
  } catch (const Failure& failure) {
    io.err << "tavrello connection: " << sys::printableText(failure.description()) << "\n";
    return 1;
  }

  for (const auto& row : outcome.rows) {
    io.out << field(cell(row, 0)) << '\t' << field(db::hidePasswords(cell(row, 1), db::PasswordHiding::Mask)) << '\n';
  }
  if (!outcome.managerShown) {
    io.err << "tavrello connection: the query window's New/Edit did not open the connection manager.\n";
    return 1;
  }
  if (!outcome.nameFound) {
    io.err << "tavrello connection: no connection is named '" << field(a.name) << "'; nothing was changed.\n";
    return 1;
  }
  if (outcome.refused) {
    io.err << "tavrello connection: the connection editor did not take the connection"
           << (outcome.okDisabled ? " (its OK stays disabled while the connection string is empty)" : "")
           << "; nothing was stored.\n";
    return 1;
  }
  if (failureShown) return 1;
  switch (a.verb) {
    case Verb::List: break;
    case Verb::Add: io.out << "Added the connection '" << field(a.name) << "'.\n"; break;
    case Verb::Edit: io.out << "Changed the connection '" << field(a.name) << "'.\n"; break;
    case Verb::Remove: io.out << "Removed the connection '" << field(a.name) << "'.\n"; break;
  }
  return 0;
}

}  // namespace tavrello::host
