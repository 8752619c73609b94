#include "gui/drawn_pictures.h"

namespace tavrello::gui {

const GridDrawing* findDrawnPicture(const std::string& name) {
  static const DrawnPictures all = [] {
    DrawnPictures pictures;
    pictures.merge(queryWindowPictures());
    pictures.merge(connectionDialogPictures());
    return pictures;
  }();
  const auto found = all.find(name);
  return found == all.end() ? nullptr : &found->second;
}

}  // namespace tavrello::gui
