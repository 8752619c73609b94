#pragma once

#include <QFont>

#include "platform/forms/control.h"

namespace tavrello::gui {

// The Qt font for a control's font, at its size. The windows are designed in
// Tahoma; where the system has no font of that name, a condensed sans-serif
// face stands in for it (DejaVu Sans Condensed, ...), else the system's
// default sans-serif face. Other missing faces become the default one.
QFont toQFont(const forms::FontInfo& font);

}  // namespace tavrello::gui
