#pragma once

#include <array>
#include <optional>

#include <pugixml.hpp>

#include "platform/host/workbook/style_table.h"

namespace tavrello::host::xlsx {

// Turns a colour element of the styles part (<color rgb="FF336699"/>,
// indexed="10", theme="4" tint="-0.25", auto="1") into the plain RGB the
// host keeps. Theme colours come from the workbook's theme when it has one,
// the default Office theme otherwise.
class ColorReader {
 public:
  ColorReader();

  // Takes the colour scheme of a theme part's root element (a:theme).
  void readTheme(const pugi::xml_node& theme);

  // Nothing for the automatic colour (auto, system colours, nothing given).
  std::optional<Rgb> read(const pugi::xml_node& color) const;

 private:
  // lt1, dk1, lt2, dk2, accent1-6, hlink, folHlink: the order theme="N" counts.
  std::array<Rgb, 12> theme_;
};

}  // namespace tavrello::host::xlsx
