#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "profiles/connection_list.h"

namespace tavrello {

class SettingsDocument;

// The data folder: the user's application-data folder (SystemPath(26)) and
// "Tavrello/". It holds the settings file, the error log and the statement
// files. The add-in never creates it; the installation does. The empty text
// when there is no application-data folder.
std::string dataFolder();

// The settings file, connectionsettings.xml in the data folder. Every reader
// and the writer use this one path. Empty when there is no data folder: a
// load then finds nothing and a write fails.
std::filesystem::path settingsFilePath();

// The number of connections in a settings document, as the 16-bit count
// every reader of the file takes: more than 32,767 fail with 6 ("Overflow").
std::int16_t countConnections(const SettingsDocument& doc);

// Reads the settings file into MGlobals::ConnectionList and returns the
// number of connections found. With at least one, the list is resized to
// exactly those rows, in file order, and `addName` receives each name as its
// row is read (the caller's own list of names). A missing, empty, unreadable
// or malformed file, or one whose root is not "connections", gives 0 without
// a message and leaves the list as it was, stale rows included.
// Has no handler of its own: a connection with fewer than two children fails
// with 91 and more than 32,767 connections with 6 ("Overflow"), to be
// reported by the caller; the rows read before a failure stay in the list.
std::int16_t Load_XML_File(const std::function<void(const std::string&)>& addName = {});

}  // namespace tavrello

namespace tavrello::MStandardCode {

// Replaces the settings file with `workingList`, rows in order; the
// connection manager and editor write their working list through
// Update_XML_File() of form_profiles.h. The file is written whole to a
// temporary file beside it and renamed over it, user-readable only, so a
// failed or interrupted write leaves the old file as it was. A name or
// connection string that the file cannot carry is refused, and so are more
// than 32,767 rows (Failure 6), which no reader could load. Failures are
// reported under "MStandardCode"."Update_XML_File"; nothing is thrown.
void Update_XML_File(const std::vector<ConnectionProfile>& workingList);

// The given column (1: the connection string) of the first
// MGlobals::ConnectionList row whose name equals `name` exactly (case and
// blanks count), or the empty text when none does. A lookup while the list
// is still unsized, or of a column other than 0 and 1, fails with "Subscript
// out of range", which is reported under
// "MStandardCode"."GetDataStringFromConnectionsArray"; it then yields the
// empty text.
std::string GetDataStringFromConnectionsArray(const std::string& name, std::int16_t column);

}  // namespace tavrello::MStandardCode
