#include "host/command_line.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tavrello::host {

namespace {

bool namesWorkbook(const std::string& word) {
  if (word.find('/') != std::string::npos) return true;
  constexpr std::string_view kExtension = ".xlsx";
  if (word.size() <= kExtension.size()) return false;
  return std::equal(kExtension.begin(), kExtension.end(), word.end() - kExtension.size(),
                    [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  std::string command;
  auto setAction = [&](CommandLine::Action action, const std::string& word) {
    if (!command.empty() && line.action != action) {
      line.error = "'" + word + "' cannot be combined with another command";
      return;
    }
    line.action = action;
    command = word;
  };
  bool onlyFiles = false;
  for (const std::string& argument : arguments) {
    if (onlyFiles) line.files.push_back(argument);
    else if (argument == "--") onlyFiles = true;
    else if (argument == "--headless") line.headless = true;
    else if (argument == "--help" || argument == "-h") setAction(CommandLine::Action::Help, argument);
    else if (argument == "--version") setAction(CommandLine::Action::Version, argument);
    else if (argument == "register") setAction(CommandLine::Action::Register, argument);
    else if (argument == "unregister") setAction(CommandLine::Action::Unregister, argument);
    else if (!argument.empty() && argument.front() != '-' && namesWorkbook(argument)) line.files.push_back(argument);
    else line.error = "unknown argument '" + argument + "'";
    if (!line.error.empty()) return line;
  }
  if (!line.files.empty()) {
    if (!command.empty())
      line.error = "'" + command + "' opens no workbook ('" + line.files.front() + "')";
    else if (line.headless)
      line.error = "--headless opens no workbook ('" + line.files.front() + "'); workbooks open in the window";
  }
  return line;
}

namespace {

bool isVersionNumber(const std::string& text) {
  constexpr std::size_t kLongest = 20;
  if (text.empty() || text.size() > kLongest || text.front() == '.' || text.back() == '.') return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
    if (!digit && (text[i] != '.' || text[i - 1] == '.')) return false;
  }
  return true;
}

}  // namespace

GlobalOptions takeGlobalOptions(std::vector<std::string>& arguments) {
  GlobalOptions options;
  constexpr std::string_view kOption = "--host-version";
  bool given = false;
  for (std::size_t i = 0; i < arguments.size() && arguments[i] != "--";) {
    const std::string& word = arguments[i];
    std::size_t taken = 0;
    std::string value;
    if (word == kOption) {
      if (i + 1 == arguments.size()) {
        options.error = "--host-version needs a version such as 11.0, 12.0 or 14.0";
        return options;
      }
      value = arguments[i + 1];
      taken = 2;
    } else if (word.starts_with(std::string(kOption) + "=")) {
      value = word.substr(kOption.size() + 1);
      taken = 1;
    } else {
      ++i;
      continue;
    }
    if (given) options.error = "--host-version is given more than once";
    else if (!isVersionNumber(value))
      options.error = "--host-version needs a version such as 11.0, 12.0 or 14.0, not '" + value + "'";
    if (!options.error.empty()) return options;
    given = true;
    options.hostVersion = value;
    arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                    arguments.begin() + static_cast<std::ptrdiff_t>(i + taken));
  }
  return options;
}

std::string usageText() {
  return "Usage: tavrello [BOOK.xlsx ...]\n"
         "       tavrello --headless\n"
         "       tavrello register | unregister\n"
         "       tavrello refresh BOOK.xlsx [--output OTHER.xlsx] [--trust]\n"
         "       tavrello connection list | add NAME STRING | edit NAME STRING | remove NAME\n"
         "       tavrello import --connection NAME (--sql TEXT | --sql-file FILE)\n"
         "                [--cell ADDRESS | --new-workbook] [--headers] [--format SCHEME]\n"
         "                [--autofilter] [--embed NAME] [--workbook BOOK.xlsx] --output OUT.xlsx\n"
         "       tavrello --host-version V [command ...]\n"
         "       tavrello --help | --version\n"
         "\n"
         "The Tavrello workbook host. Started without a command it opens its window\n"
         "with the workbooks given (or a new one), loads the add-ins registered for\n"
         "the current user (load behaviour 3), connects them, and disconnects them\n"
         "again when it exits.\n"
         "\n"
         "  --headless   run without a window: print the add-ins connected and their\n"
         "               tool bars; every message box is printed to standard error\n"
         "               as one line (icon: title: text) and answered with its\n"
         "               default button, every prompt is cancelled; the exit status is\n"
         "               1 when a failure was reported\n"
         "  register     register the Tavrello add-in (Tavrello.so beside this program,\n"
         "               or in its library folder) for the current user, create the\n"
         "               data folder with a settings file holding the connection\n"
         "               \"Sample\" and the sample database; existing settings and\n"
         "               databases are kept\n"
         "  unregister   remove the add-in's registration; the data folder is kept\n"
         "  refresh      refresh every query table of BOOK.xlsx and save it (to OTHER.xlsx\n"
         "               when given); a password that was not saved comes from\n"
         "               TAVRELLO_PASSWORD or a prompt on the terminal; connections that\n"
         "               name a driver by its path, a file DSN or another provider are\n"
         "               refused unless --trust\n"
         "  connection   list, add, change or remove saved connections through the\n"
         "               connection manager and editor, as their buttons do: list prints\n"
         "               name, tab, connection string (passwords as ***); edit and remove\n"
         "               act on the first connection named NAME, and a NAME none has is an\n"
         "               error; a STRING of - is read from standard input; the exit\n"
         "               status is 1 when a failure or refusal was shown\n"
         "  import       run a statement on a saved connection through the add-in's query\n"
         "               window, as its Paste (or, with --embed NAME, Embed) does, into\n"
         "               BOOK.xlsx (or a new workbook) at ADDRESS (A1) or into a new\n"
         "               workbook; with --headers the field names head the rows, --format\n"
         "               gives a table design (Grey and White, Green and White, Green and\n"
         "               Black, Black and Grey; No Formatting unless given), --autofilter\n"
         "               turns the auto filter on; the workbook that received the rows is\n"
         "               saved as OUT.xlsx only when the import completed; every message\n"
         "               box is printed on standard error; exit status 0 done, 1 refused\n"
         "               or failed, 2 arguments it cannot read\n"
         "  --host-version V\n"
         "               with any command or the window: the host reports version V\n"
         "               (11.0: 65,536 rows by 256 columns; 12.0, the default:\n"
         "               1,048,576 by 16,384; 14.0: the import checks no grid limit)\n"
         "  BOOK.xlsx    a workbook to open in the window: a path, or a name ending in\n"
         "               .xlsx; after -- every word is a workbook\n"
         "  --help       show this text\n"
         "  --version    show the version\n";
}

}  // namespace tavrello::host
