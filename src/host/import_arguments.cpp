#include "host/import_arguments.h"

#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <string_view>

namespace tavrello::host {
namespace {

bool endsInXlsx(const std::string& name) {
  std::string extension = std::filesystem::path(name).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".xlsx";
}

}  // namespace

const char* importUsage() {
  return "Usage: tavrello import --connection NAME (--sql TEXT | --sql-file FILE)\n"
         "         [--cell ADDRESS | --new-workbook] [--headers] [--format SCHEME] [--autofilter]\n"
         "         [--embed NAME] [--workbook BOOK.xlsx] --output OUT.xlsx\n";
}

ImportArguments parseImportArguments(const std::vector<std::string>& arguments) {
  ImportArguments a;
  const std::map<std::string_view, std::string*> texts{
      {"--connection", &a.connection}, {"--cell", &a.cell}, {"--format", &a.format}, {"--output", &a.output}};
  const std::map<std::string_view, std::optional<std::string>*> optionalTexts{
      {"--sql", &a.sql}, {"--sql-file", &a.sqlFile}, {"--embed", &a.embed}, {"--workbook", &a.workbook}};
  const std::map<std::string_view, bool*> switches{
      {"--new-workbook", &a.newWorkbook}, {"--headers", &a.headers}, {"--autofilter", &a.autofilter}};
  std::set<std::string> seen;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (!seen.insert(option).second) {
      a.error = option + " is given more than once";
      return a;
    }
    if (auto on = switches.find(option); on != switches.end()) {
      *on->second = true;
      continue;
    }
    const auto text = texts.find(option);
    const auto optionalText = optionalTexts.find(option);
    if (text == texts.end() && optionalText == optionalTexts.end()) {
      a.error = "unknown argument '" + option + "'";
      return a;
    }
    if (i + 1 == arguments.size()) {
      a.error = option + " needs a value";
      return a;
    }
    const std::string& value = arguments[++i];
    if (text != texts.end()) *text->second = value;
    else *optionalText->second = value;
  }
  if (a.connection.empty()) a.error = "--connection NAME is required";
  else if (a.sql.has_value() == a.sqlFile.has_value()) a.error = "give either --sql TEXT or --sql-file FILE";
  else if (seen.count("--cell") && a.newWorkbook) a.error = "--cell and --new-workbook cannot be combined";
  else if (a.cell.empty()) a.error = "--cell needs an address such as B3";
  else if (a.embed && a.embed->empty()) a.error = "--embed needs a name for the query table";
  else if (a.output.empty()) a.error = "--output OUT.xlsx is required";
  else if (!endsInXlsx(a.output)) a.error = "--output must name an .xlsx file ('" + a.output + "')";
  else if (a.workbook && !endsInXlsx(*a.workbook))
    a.error = "--workbook must name an .xlsx file ('" + *a.workbook + "')";
  return a;
}

}  // namespace tavrello::host
