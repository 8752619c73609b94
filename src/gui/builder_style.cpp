#include "gui/builder_style.h"

#include <QFontDatabase>

namespace tavrello::gui {

QFont builderFont() {
  QFont font;
  if (QFontDatabase::hasFamily("Tahoma")) {
    font.setFamily("Tahoma");
  } else {
    font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
  }
  font.setPixelSize(11);
  return font;
}

QFont builderBoldFont() {
  QFont font = builderFont();
  font.setBold(true);
  return font;
}

}  // namespace tavrello::gui
