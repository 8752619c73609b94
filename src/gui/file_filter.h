#pragma once

#include <string>

#include <QString>

namespace tavrello::gui {

// Converts a common-dialog filter, "Description|patterns|Description|patterns"
// with patterns separated by ";", into a Qt file dialog filter,
// "Description (patterns);;...". Parentheses that end a description ("SQL
// files (*.sql)") are replaced by the patterns, as Qt reads the patterns from
// them. "*.*" means every file here, as it does on the platform the filters
// were written for, so it becomes "*". An empty filter gives the empty text
// (every file).
QString qtFileFilter(const std::string& filter);

}  // namespace tavrello::gui
