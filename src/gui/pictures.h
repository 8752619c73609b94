#pragma once

#include <string>

#include <QIcon>
#include <QPixmap>

namespace tavrello::gui {

// The program's picture collection, by name: the pictures drawn in code
// (drawn_pictures.h), the pictures compiled in from src/gui/pictures (the
// file name without ".png"), then the style's standard
// pictures under these names: DialogOk, DialogCancel, DialogOpen, DialogSave,
// DialogClose, Computer, Information, Warning, Help, Trash, Refresh, Apply,
// Connect (the network drive), Disconnect, Table (the file icon).
// An unknown or empty name gives a null pixmap / empty icon.
QPixmap picturePixmap(const std::string& name);
QIcon pictureIcon(const std::string& name);

}  // namespace tavrello::gui
