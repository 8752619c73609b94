#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>

#include "platform/host/workbook/host_command_bar.h"

class QMainWindow;

namespace tavrello::host {
class HostCommandBars;
}

namespace tavrello::gui {

class CommandBarToolbar;

// Keeps the tool bars of a main window in step with the host's command
// bars, both ways:
//  - every bar of the host gets a CommandBarToolbar, shown when the bar is
//    Visible and gone when the bar is deleted;
//  - a bar at position 4 floats at its Left and Top (screen pixels), with
//    its Width and Height once they are set; a bar at position 0 to 3 is
//    docked at the window's left, top, right or bottom edge, in its
//    RowIndex (row 1 nearest the edge), ordered in the row by Left (top,
//    bottom) or Top (left, right);
//  - when the user drags a tool bar elsewhere, floats or docks it, or shows
//    or hides it from the tool bars' menu, the bar's placement in the host
//    model is rewritten to what the user sees, so what the add-in saves at
//    its shut-down is where the user left it.
class CommandBarToolbars : public QObject {
  Q_OBJECT

 public:
  CommandBarToolbars(QMainWindow& window, std::shared_ptr<host::HostCommandBars> bars);
  ~CommandBarToolbars() override;

  // Adds, removes, updates and places the tool bars after the host's bars
  // may have changed. Placement is applied only where the bar's placement
  // differs from what was applied or read last.
  void refresh();

  // The tool bar of the bar named `name` (letter case ignored), or null.
  CommandBarToolbar* toolbar(const std::string& name) const;
  std::vector<CommandBarToolbar*> toolbars() const;

  // Writes where the tool bars are now to the host's bars; runs after the
  // user has moved one.
  void readPlacements();

  // While the host asks for a range, tool bars take no clicks.
  void setEnabled(bool enabled);

 signals:
  // A button's click went through the host, or a combo entry was chosen.
  void controlUsed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    std::shared_ptr<host::HostCommandBar> bar;
    QPointer<CommandBarToolbar> toolbar;
    host::BarPlacement applied;
    bool placed = false;
  };

  void addToolbar(const std::shared_ptr<host::HostCommandBar>& bar);
  void applyPlacements();
  void arrangeArea(int position);
  void applyFloating(Entry& entry);
  void scheduleRead();

  QMainWindow& window_;
  std::shared_ptr<host::HostCommandBars> bars_;
  std::vector<Entry> entries_;
  bool applying_ = false;
  bool readPending_ = false;
};

// Whether two placements put a bar in the same place.
bool samePlacement(const host::BarPlacement& a, const host::BarPlacement& b);

}  // namespace tavrello::gui
