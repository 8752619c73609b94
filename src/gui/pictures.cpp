#include "gui/pictures.h"

#include <map>

#include <QApplication>
#include <QFile>
#include <QStyle>

#include "gui/drawn_pictures.h"

namespace tavrello::gui {
namespace {

const std::map<std::string, QStyle::StandardPixmap>& standardPictures() {
  static const std::map<std::string, QStyle::StandardPixmap> pictures = {
      {"DialogOk", QStyle::SP_DialogOkButton},      {"DialogCancel", QStyle::SP_DialogCancelButton},
      {"DialogOpen", QStyle::SP_DialogOpenButton},  {"DialogSave", QStyle::SP_DialogSaveButton},
      {"DialogClose", QStyle::SP_DialogCloseButton}, {"Computer", QStyle::SP_ComputerIcon},
      {"Information", QStyle::SP_MessageBoxInformation}, {"Warning", QStyle::SP_MessageBoxWarning},
      {"Help", QStyle::SP_DialogHelpButton},        {"Trash", QStyle::SP_TrashIcon},
      {"Refresh", QStyle::SP_BrowserReload},        {"Apply", QStyle::SP_DialogApplyButton},
      {"Connect", QStyle::SP_DriveNetIcon},         {"Disconnect", QStyle::SP_BrowserStop},
      {"Table", QStyle::SP_FileIcon},
  };
  return pictures;
}

QString resourcePath(const std::string& name) { return QStringLiteral(":/pictures/") + QString::fromStdString(name) + ".png"; }

}  // namespace

QPixmap picturePixmap(const std::string& name) {
  if (name.empty()) return {};
  if (const GridDrawing* drawn = findDrawnPicture(name)) return vectorIcon(*drawn).pixmap(32, 32);
  const QString path = resourcePath(name);
  if (QFile::exists(path)) return QPixmap(path);
  const auto standard = standardPictures().find(name);
  if (standard == standardPictures().end()) return {};
  return QApplication::style()->standardIcon(standard->second).pixmap(32, 32);
}

QIcon pictureIcon(const std::string& name) {
  if (name.empty()) return {};
  if (const GridDrawing* drawn = findDrawnPicture(name)) return vectorIcon(*drawn);
  const QString path = resourcePath(name);
  if (QFile::exists(path)) return QIcon(path);
  const auto standard = standardPictures().find(name);
  if (standard == standardPictures().end()) return {};
  return QApplication::style()->standardIcon(standard->second);
}

}  // namespace tavrello::gui
