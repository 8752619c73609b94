#pragma once

#include <optional>
#include <string>

#include <QDialog>
#include <QPointer>

class QEventLoop;
class QLineEdit;

namespace tavrello::gui {

class HostWindow;

// The host's range prompt (InputBox Type 8): a small box with the prompt
// and an address field that stays open while the user works on the sheet.
// The user types an address, or clicks or drags on the grid (switching
// sheets with the tabs if need be) and the field shows the cells pointed at
// ("$B$3", "$B$2:$D$4", "Sheet2!$B$3" for another sheet than the one the
// prompt began on). Meanwhile the host window is in pointing mode and the
// program's other windows take no input, so nothing else runs under the
// prompt.
class RangePrompt : public QDialog {
  Q_OBJECT

 public:
  RangePrompt(HostWindow& window, const std::string& prompt, const std::string& title,
              const std::string& defaultAddress);
  ~RangePrompt() override;

  // Shows the box and waits: the address in the field on OK, nothing on
  // Cancel or when the box is closed.
  std::optional<std::string> ask();

  QLineEdit* addressField() const { return address_; }

 private:
  void pointed();

  QPointer<HostWindow> window_;
  QLineEdit* address_;
  std::string startSheet_;
};

}  // namespace tavrello::gui
