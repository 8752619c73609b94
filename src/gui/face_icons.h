#pragma once

#include <QIcon>

namespace tavrello::gui {

// The button faces of the host's command bars, by face number: the faces the
// Tavrello add-in puts on its toolbar (528 quick load, 610 support page, 141
// update check, 480 about) and those of the host's built-in buttons (2520 new
// workbook, 852 new worksheet, 899 auto filter, 113 bold, 114 italic, 115
// underline). Each is drawn as vector shapes, so it stays sharp at any size;
// the disabled mode is drawn faded.
bool hasFace(int faceId);

// The icon of a face; a plain framed square for a face number this host does
// not draw, an empty icon for 0 (no face).
QIcon faceIcon(int faceId);

}  // namespace tavrello::gui
