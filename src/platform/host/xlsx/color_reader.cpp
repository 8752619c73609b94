#include "platform/host/xlsx/color_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "platform/host/xlsx/xml_tree.h"

namespace tavrello::host::xlsx {

namespace {

// The legacy palette that indexed="N" refers to (64 and 65 are the system's
// foreground and background: automatic).
constexpr Rgb kIndexed[64] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0x000000, 0xFFFFFF, 0xFF0000,
    0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080,
    0xC0C0C0, 0x808080, 0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF, 0x000080,
    0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF, 0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99,
    0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99, 0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699,
    0x969696, 0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

std::optional<Rgb> parseHex(std::string_view text) {
  if (text.size() == 8) text.remove_prefix(2);  // the alpha byte
  if (text.size() != 6) return std::nullopt;
  Rgb value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + 6, value, 16);
  if (ec != std::errc() || end != text.data() + 6) return std::nullopt;
  return value;
}

// Lightens (tint > 0) or darkens (tint < 0) a colour in HLS space, as the
// spreadsheet applies a tint.
Rgb applyTint(Rgb rgb, double tint) {
  double r = ((rgb >> 16) & 0xFF) / 255.0, g = ((rgb >> 8) & 0xFF) / 255.0, b = (rgb & 0xFF) / 255.0;
  double max = std::max({r, g, b}), min = std::min({r, g, b});
  double l = (max + min) / 2, h = 0, s = 0;
  if (max != min) {
    double d = max - min;
    s = l > 0.5 ? d / (2 - max - min) : d / (max + min);
    if (max == r) h = (g - b) / d + (g < b ? 6 : 0);
    else if (max == g) h = (b - r) / d + 2;
    else h = (r - g) / d + 4;
    h /= 6;
  }
  l = tint < 0 ? l * (1 + tint) : l * (1 - tint) + tint;
  auto hue = [](double p, double q, double t) {
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 0.5) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
  };
  if (s == 0) {
    r = g = b = l;
  } else {
    double q = l < 0.5 ? l * (1 + s) : l + s - l * s, p = 2 * l - q;
    r = hue(p, q, h + 1.0 / 3);
    g = hue(p, q, h);
    b = hue(p, q, h - 1.0 / 3);
  }
  auto byte = [](double v) { return static_cast<Rgb>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

}  // namespace

ColorReader::ColorReader()
    // The default Office theme.
    : theme_{0xFFFFFF, 0x000000, 0xEEECE1, 0x1F497D, 0x4F81BD, 0xC0504D, 0x9BBB59, 0x8064A2, 0x4BACC6, 0xF79646,
             0x0000FF, 0x800080} {}

void ColorReader::readTheme(const pugi::xml_node& theme) {
  pugi::xml_node scheme = child(child(theme, "themeElements"), "clrScheme");
  const char* names[12] = {"lt1", "dk1", "lt2", "dk2", "accent1", "accent2", "accent3", "accent4", "accent5", "accent6",
                           "hlink", "folHlink"};
  for (int i = 0; i < 12; ++i) {
    pugi::xml_node entry = child(scheme, names[i]);
    std::optional<Rgb> rgb;
    if (pugi::xml_node srgb = child(entry, "srgbClr")) rgb = parseHex(attribute(srgb, "val").value());
    else if (pugi::xml_node sys = child(entry, "sysClr")) rgb = parseHex(attribute(sys, "lastClr").value());
    if (rgb) theme_[static_cast<std::size_t>(i)] = *rgb;
  }
}

std::optional<Rgb> ColorReader::read(const pugi::xml_node& color) const {
  if (!color || boolAttribute(color, "auto", false)) return std::nullopt;
  std::optional<Rgb> rgb;
  if (pugi::xml_attribute a = attribute(color, "rgb")) {
    rgb = parseHex(a.value());
  } else if (attribute(color, "theme")) {
    long long index = numberAttribute(color, "theme", -1);
    if (index >= 0 && index < 12) rgb = theme_[static_cast<std::size_t>(index)];
  } else if (attribute(color, "indexed")) {
    long long index = numberAttribute(color, "indexed", -1);
    if (index >= 0 && index < 64) rgb = kIndexed[index];
  }
  if (rgb) {
    double tint = attribute(color, "tint").as_double(0);
    if (tint != 0 && tint >= -1 && tint <= 1) rgb = applyTint(*rgb, tint);
  }
  return rgb;
}

}  // namespace tavrello::host::xlsx
