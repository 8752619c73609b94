#pragma once

#include <map>
#include <string>

#include "gui/vector_icon.h"

// Pictures drawn in code, by their names in the program's picture collection:
// the add-in windows' button pictures. Each window's pictures are in a file of
// their own.
namespace tavrello::gui {

using DrawnPictures = std::map<std::string, GridDrawing>;

// The drawing of a picture, or null when none has that name.
const GridDrawing* findDrawnPicture(const std::string& name);

// The query window's buttons.
DrawnPictures queryWindowPictures();

// The connection manager's and the connection editor's buttons.
DrawnPictures connectionDialogPictures();

}  // namespace tavrello::gui
