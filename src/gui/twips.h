#pragma once

#include <cmath>

namespace tavrello::gui {

// The windows are designed in twips at 15 twips to a pixel (a 96 dpi screen).
inline constexpr float kTwipsPerPixel = 15.0F;

inline int toPixels(float twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
inline float toTwips(int pixels) { return static_cast<float>(pixels) * kTwipsPerPixel; }

// List column widths are given in points: 72 to the inch, 96 pixels to it.
inline int pointsToPixels(float points) { return static_cast<int>(std::lround(points * 96.0F / 72.0F)); }

}  // namespace tavrello::gui
