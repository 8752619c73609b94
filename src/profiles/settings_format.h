#pragma once

#include <string>
#include <vector>

#include "profiles/connection_list.h"

namespace tavrello {

// The settings file's text for `rows`, in the layout every reader and the
// installer rely on:
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <connections>
//   \t<connection1>
//   \t\t<name>NAME</name>
//   \t\t<value>CONNECTION STRING</value>
//   \t</connection1>
//   ... one such block per row, numbered from 1 ...
//   </connections>
//
// Every line ends in CR LF, the last included. "&", "<" and ">" are written
// as "&amp;", "&lt;" and "&gt;"; a carriage return inside a value is written
// as "&#13;", because a parser turns a literal one into a line feed and the
// value would not read back as it was.
//
// Throws Failure 5 naming the connection when a name or connection string is
// not valid UTF-8 or holds a character that XML 1.0 cannot carry (control
// characters other than tab, line feed and carriage return, U+FFFE, U+FFFF):
// such a file could not be read back.
std::string formatSettingsFile(const std::vector<ConnectionProfile>& rows);

}  // namespace tavrello
