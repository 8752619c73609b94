#include "gui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace tavrello::gui {
namespace {

// The windows are laid out for Tahoma, a narrow face: without it, a
// condensed face keeps the captions within the controls designed for them.
const QStringList& narrowSubstitutes() {
  static const QStringList substitutes = {"DejaVu Sans Condensed", "Liberation Sans Narrow", "Noto Sans Condensed",
                                          "Arial Narrow"};
  return substitutes;
}

}  // namespace

QFont toQFont(const forms::FontInfo& font) {
  const QString family = QString::fromStdString(font.Name);
  QFont result;
  if (QFontDatabase::hasFamily(family)) {
    result.setFamily(family);
  } else {
    result = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    result.setStyleHint(QFont::SansSerif);
    if (family.compare("Tahoma", Qt::CaseInsensitive) == 0) {
      for (const QString& substitute : narrowSubstitutes()) {
        if (QFontDatabase::hasFamily(substitute)) {
          result.setFamily(substitute);
          break;
        }
      }
    }
  }
  result.setPointSizeF(font.Size > 0 ? font.Size : 8.25);
  result.setBold(font.Bold);
  result.setItalic(font.Italic);
  return result;
}

}  // namespace tavrello::gui
