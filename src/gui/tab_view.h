#pragma once

#include "gui/control_view.h"

class QFrame;
class QTabBar;

namespace tavrello::forms {
class TabControl;
}

namespace tavrello::gui {

// A tab control: a framed area with the page tabs along its top. The
// controls of every page are children of the area, placed relative to the
// tab control as the windows are designed; the renderer shows those of the
// current page only.
class TabControlView : public ControlView {
 public:
  TabControlView(forms::TabControl& tabs, QWidget* parent);

 protected:
  void syncOwn(forms::Property property) override;

 private:
  void placeBar();

  QFrame* area_;
  QTabBar* bar_;
};

}  // namespace tavrello::gui
