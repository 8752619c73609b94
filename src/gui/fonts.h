#pragma once

#include <QFont>

#include "platform/forms/control.h"

namespace tavrello::gui {

// The Qt font for a control's font. The windows are designed in Tahoma; where
// the system has no font of that name, its default sans-serif face is used at
// the same size.
QFont toQFont(const forms::FontInfo& font);

}  // namespace tavrello::gui
