#pragma once

#include <map>
#include <optional>
#include <string>

#include <pugixml.hpp>

#include "platform/host/workbook/grid.h"

namespace tavrello::host {
class Sheet;
}

namespace tavrello::host::xlsx {

// One connection of xl/connections.xml as far as a query table needs it.
struct StoredConnection {
  std::string name;
  long long type = 0;  // 1 ODBC, 5 OLE DB; others are sources this host does not refresh
  bool deleted = false;
  bool background = false;
  bool saveData = false;
  bool savePassword = false;
  bool refreshOnLoad = false;
  long long interval = 0;
  bool hasDatabase = false;  // a dbPr element
  std::string connection;    // without the ODBC;/OLEDB; prefix, as stored
  std::string command;
  long long commandType = 2;
};

// The connections part's root (connections), by id.
std::map<long long, StoredConnection> readConnections(const pugi::xml_node& connections);

// Adds the query table of a queryTable part's root to `sheet`: its block is
// the range of the sheet's name made from the table's name (spaces and
// other characters a name cannot hold read as underscores), or, for a table
// attached to a list object, `tableRange`. The connection kind becomes the
// "ODBC;"/"OLEDB;" prefix again. Returns why the table could not be kept
// (a text or web source, a deleted connection, no block) when it could not;
// its cells stay as they are.
std::optional<std::string> addQueryTable(const pugi::xml_node& queryTable,
                                         const std::map<long long, StoredConnection>& connections, Sheet& sheet,
                                         const std::optional<CellRect>& tableRange);

}  // namespace tavrello::host::xlsx
