#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QToolBar>

class QAction;
class QComboBox;

namespace tavrello::host {
class HostCommandBar;
class HostControl;
}  // namespace tavrello::host

namespace tavrello::gui {

// One command bar of the host drawn as a tool bar: its buttons as tool
// buttons with their face icons (their caption where they have no face) and
// tooltips, its combo boxes as drop-down lists with their entries, width and
// selection. A click on a button goes to the host's click dispatch (bound
// receivers by tag, then the built-in command unless cancelled); choosing a
// combo entry sets the combo's ListIndex in the host. The bar's placement is
// not handled here (see CommandBarToolbars).
class CommandBarToolbar : public QToolBar {
  Q_OBJECT

 public:
  CommandBarToolbar(std::shared_ptr<host::HostCommandBar> bar, QWidget* parent = nullptr);
  ~CommandBarToolbar() override;

  const std::shared_ptr<host::HostCommandBar>& bar() const { return bar_; }

  // Brings the controls in line with the bar's: changed properties are
  // applied in place, and when controls came or went the tool bar is built
  // again (old widgets go once control returns to the event loop, so this
  // is safe from inside a click).
  void refresh();

  // The widget of the control at a 1-based index of the bar (a tool button
  // or a combo box), or null when it is not shown.
  QWidget* controlWidget(int index) const;

 signals:
  // A button's click has gone through the host, or a combo entry was chosen.
  void controlUsed();

 private:
  struct Shown;

  void rebuild();
  void update(Shown& shown);
  void clicked(const std::weak_ptr<host::HostControl>& control);
  void chosen(const std::weak_ptr<host::HostControl>& control, int row);

  std::shared_ptr<host::HostCommandBar> bar_;
  std::vector<Shown> shown_;
};

}  // namespace tavrello::gui
