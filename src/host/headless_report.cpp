#include "host/headless_report.h"

#include <ostream>

#include "platform/host/command_bars.h"
#include "platform/system/printable_text.h"

namespace tavrello::host {

namespace {

// Names and lists come from the add-ins, and through them from settings
// files and workbooks: nothing in them may drive the terminal.
std::string shown(const std::string& text) { return sys::printableText(text); }

std::string placeOf(const CommandBar& bar) {
  static const char* const kSides[] = {"docked left", "docked top", "docked right", "docked bottom"};
  if (bar.Position() == MsoBarPosition::Floating)
    return "floating at " + std::to_string(bar.Left()) + "," + std::to_string(bar.Top());
  if (bar.Position() >= 0 && bar.Position() < 4)
    return std::string(kSides[bar.Position()]) + ", row " + std::to_string(bar.RowIndex());
  return "position " + std::to_string(bar.Position());
}

void reportControl(const CommandBarControl& control, std::ostream& out) {
  std::string name = shown(control.TooltipText().empty() ? control.Caption() : control.TooltipText());
  if (!name.empty()) name = " \"" + name + "\"";
  if (const auto* combo = dynamic_cast<const CommandBarComboBox*>(&control)) {
    out << "  combo box" << name << ":";
    for (std::int32_t i = 1; i <= combo->ListCount(); ++i) out << (i == 1 ? " " : ", ") << shown(combo->List(i));
    if (combo->ListCount() == 0) out << " (empty)";
    out << " (shown: \"" << shown(combo->Text()) << "\")\n";
    return;
  }
  out << "  button" << name;
  if (const auto* button = dynamic_cast<const CommandBarButton*>(&control)) out << " (face " << button->FaceId() << ")";
  out << "\n";
}

}  // namespace

void reportHeadlessSession(const std::vector<std::string>& connectedAddins, const CommandBars& bars,
                           std::ostream& out) {
  out << "Add-ins connected:";
  for (const auto& progId : connectedAddins) out << " " << shown(progId);
  if (connectedAddins.empty()) out << " none (register one with: tavrello register)";
  out << "\n";
  for (std::int32_t index = 1; index <= bars.Count(); ++index) {
    auto bar = bars.Item(index);
    if (bar->BuiltIn() || !bar->Visible()) continue;
    auto controls = bar->Controls();
    out << "Tool bar \"" << shown(bar->Name()) << "\", " << placeOf(*bar) << ", " << controls->Count()
        << " controls:\n";
    for (std::int32_t i = 1; i <= controls->Count(); ++i) {
      auto control = controls->Item(i);
      if (control->Visible()) reportControl(*control, out);
    }
  }
}

}  // namespace tavrello::host
