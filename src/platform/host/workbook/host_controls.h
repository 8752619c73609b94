#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/command_bars.h"

namespace tavrello::host {

class HostCommandBar;

// What every control of the workbook host keeps.
struct ControlState {
  int type = MsoControlType::Button;
  int id = 1;
  bool builtIn = false;
  bool temporary = false;
  std::string caption;
  std::string tag;
  std::string parameter;
  std::string tooltipText;
  std::int32_t width = 23;
  bool enabled = true;
  bool visible = true;
  // The built-in command a click runs unless a receiver cancels it.
  std::function<void()> action;
  // Buttons.
  std::int32_t faceId = 0;
  // Combo boxes.
  std::vector<std::string> items;
  std::int32_t listIndex = 0;
  std::string text;

  std::weak_ptr<HostCommandBar> bar;
  bool deleted = false;
};

// The host's side of a control: its state and the object-model face it
// hands out. Bars keep their controls through this.
class HostControl {
 public:
  virtual ~HostControl() = default;
  virtual ControlState& state() = 0;
  virtual const ControlState& state() const = 0;
  virtual std::shared_ptr<CommandBarControl> asControl() = 0;
};

// Makes a control of the given type (button or combo box) on a bar.
std::shared_ptr<HostControl> makeControl(int type, const std::weak_ptr<HostCommandBar>& bar);

}  // namespace tavrello::host
