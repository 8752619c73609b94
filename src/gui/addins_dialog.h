#pragma once

#include <string>
#include <vector>

#include <QDialog>

#include "gui/addin_switch.h"

class QLabel;
class QListWidget;

namespace tavrello::gui {

// Tools > Add-ins: the add-ins registered for the current user, each with a
// tick when it is connected, its friendly name in the list and its
// description below. OK applies the changes: each add-in unticked is
// disconnected, each add-in ticked is connected, through the host's loader;
// Cancel changes nothing.
class AddinsDialog : public QDialog {
  Q_OBJECT

 public:
  AddinsDialog(AddinSwitch& addins, QWidget* parent = nullptr);

  QListWidget* list() const { return list_; }

  // Ticks or unticks an add-in by program identifier, as the user would.
  void setTicked(const std::string& progId, bool ticked);

  void accept() override;

 private:
  void showDescription();

  AddinSwitch& addins_;
  std::vector<AddinListing> listed_;
  QListWidget* list_;
  QLabel* description_;
};

}  // namespace tavrello::gui
