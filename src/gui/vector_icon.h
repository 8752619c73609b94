#pragma once

#include <functional>

#include <QIcon>

class QPainter;

namespace tavrello::gui {

// Draws a picture on a 16 by 16 grid; the icon scales it to the size asked for.
using GridDrawing = std::function<void(QPainter&)>;

// An icon drawn as vector shapes, sharp at any size, faded when disabled.
QIcon vectorIcon(GridDrawing draw);

}  // namespace tavrello::gui
