#include "gui/fonts.h"

#include <QFontDatabase>

namespace tavrello::gui {

QFont toQFont(const forms::FontInfo& font) {
  const QString family = QString::fromStdString(font.Name);
  QFont result;
  if (QFontDatabase::hasFamily(family)) {
    result.setFamily(family);
  } else {
    result = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    result.setStyleHint(QFont::SansSerif);
  }
  result.setPointSizeF(font.Size > 0 ? font.Size : 8.25);
  result.setBold(font.Bold);
  result.setItalic(font.Italic);
  return result;
}

}  // namespace tavrello::gui
