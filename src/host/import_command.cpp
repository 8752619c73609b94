#include "host/import_command.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>

#include "host/headless_session.h"
#include "host/import_arguments.h"
#include "host/terminal_progress.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"

namespace tavrello::host {
namespace {

// A step the driver could not take, as a user would find the window.
struct Stuck {
  int status;
  std::string why;
};

// The query window's controls by the names the window gives them.
class QueryWindow {
 public:
  explicit QueryWindow(forms::Form& form) : form_(form) {}

  template <class T>
  T& control(const char* name) const {
    return form_.controlAs<T>(name);
  }
  forms::CheckBox& box(const char* name) const { return control<forms::CheckBox>(name); }

  // Clicks the box when it does not show `ticked`.
  void tick(const char* name, bool ticked) const {
    forms::CheckBox& check = box(name);
    if ((check.Value() == 1) == ticked) return;
    if (!check.Enabled()) throw Stuck{1, "the query window's box \"" + check.Caption() + "\" is not enabled"};
    check.userClick();
    if ((check.Value() == 1) != ticked)
      throw Stuck{1, "the query window's box \"" + check.Caption() + "\" did not take the click"};
  }

  // Clicks into the statement box and out again (into the Embed name), so
  // that the builder takes the statement and the window enables the import's
  // controls for it.
  void passStatementToBuilder() const {
    control<forms::TextBox>("TextSQL").userFocus();
    control<forms::TextBox>("TextEmbed").userFocus();
  }

  void click(const char* name) const {
    forms::CommandButton& button = control<forms::CommandButton>(name);
    if (!button.Enabled())
      throw Stuck{1, "the query window's button \"" + button.Caption() + "\" is not enabled"};
    button.userClick();
  }

  // Selects the entry of ComboFormats that reads `scheme` (letter case
  // ignored), as the user picks it from the list.
  void chooseScheme(const std::string& scheme) const {
    forms::ComboBox& list = control<forms::ComboBox>("ComboFormats");
    std::string entries;
    for (int i = 0; i < list.ListCount(); ++i) {
      if (sameText(list.List(i), scheme)) {
        list.userSelect(i);
        return;
      }
      entries += (i ? ", " : "") + ("\"" + list.List(i) + "\"");
    }
    throw Stuck{2, "'" + scheme + "' is not one of the formatting schemes " + entries};
  }

  bool loaded() const { return form_.Loaded(); }

 private:
  static bool sameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
  }

  forms::Form& form_;
};

void openDestination(WorkbookApplication& app, const ImportArguments& a) {
  if (a.workbook) app.Workbooks()->Open(*a.workbook);
  else app.Workbooks()->Add();
  std::shared_ptr<Range> cell;
  try {
    cell = app.Range(a.cell);
  } catch (const Failure& failure) {
    throw Stuck{2, "--cell " + a.cell + ": " + failure.description()};
  }
  cell->Select();
}

// Everything the user does in the query window, up to the click that imports.
void driveWindow(HeadlessSession& session, const QueryWindow& window, const ImportArguments& a) {
  if (a.sql) {
    auto& statement = window.control<forms::TextBox>("TextSQL");
    statement.userFocus();
    statement.userSetText(*a.sql);
  } else {
    session.dialogs().answerFile(std::filesystem::absolute(*a.sqlFile).string());
    window.click("CommandOpenQueryFile");
  }
  window.passStatementToBuilder();
  // The builder enables the import's controls for a statement it takes;
  // one it refuses has been told in a box.
  if (!window.control<forms::CommandButton>("CommandExcel").Enabled())
    throw Stuck{1, "the query window did not take the statement; nothing was imported"};
  window.tick(a.newWorkbook ? "CheckNewWorkbook" : "CheckActiveCell", true);
  window.tick("CheckSelectCell", false);
  window.tick("CheckBoxImportHeadings", a.headers);
  // Clearing Headers disables Auto Filter; the builder enables it again.
  if (a.autofilter && !window.box("CheckAutofilter").Enabled()) window.passStatementToBuilder();
  window.tick("CheckAutofilter", a.autofilter);
  window.chooseScheme(a.format);
  if (a.embed) {
    window.control<forms::TextBox>("TextEmbed").userSetText(*a.embed);
    window.click("CommandEmbed");
  } else {
    window.click("CommandExcel");
  }
}

// A Ctrl-C stopped the statement or the save: nothing is saved.
const Stuck kCancelled{130, "cancelled; nothing was saved"};

int import(HeadlessSession& session, const ImportArguments& a, const TerminalProgress& progress, std::ostream& err) {
  WorkbookApplication& app = session.app();
  openDestination(app, a);
  if (session.failureShown()) return 1;
  std::shared_ptr<forms::Form> form = session.quickLoad(a.connection);
  QueryWindow window(*form);
  if (session.failureShown()) throw Stuck{1, "the query window could not connect to " + a.connection};
  driveWindow(session, window, a);
  if (progress.cancelled()) throw kCancelled;
  if (window.loaded() || session.failureShown()) {
    err << "tavrello import: the import did not complete; nothing was saved.\n";
    return 1;
  }
  // The rows went to the active workbook: the new one with --new-workbook.
  std::shared_ptr<Workbook> book = app.ActiveWorkbook();
  if (!book) throw Failure::host("No workbook is open to save.");
  book->SaveAs(std::filesystem::absolute(a.output).string());
  return 0;
}

}  // namespace

int runImport(const std::vector<std::string>& arguments, std::ostream& err, const std::string& hostVersion) {
  const ImportArguments a = parseImportArguments(arguments);
  if (!a.error.empty()) {
    err << "tavrello import: " << a.error << ".\n" << importUsage();
    return 2;
  }
  TerminalProgress progress("tavrello import");
  HeadlessSession session(err, hostVersion);
  int status = 1;
  try {
    try {
      status = import(session, a, progress, err);
    } catch (const Failure& failure) {
      if (failure.number() == failure_number::kUserCancel) throw kCancelled;
      throw;
    }
  } catch (const Stuck& stuck) {
    err << "tavrello import: " << stuck.why << ".\n";
    if (stuck.status == 2) err << importUsage();
    status = stuck.status;
  } catch (const Failure& failure) {
    err << "tavrello import: " << failure.description() << "\n";
    status = 1;
  }
  session.end();
  return session.failureShown() && status == 0 ? 1 : status;
}

}  // namespace tavrello::host
