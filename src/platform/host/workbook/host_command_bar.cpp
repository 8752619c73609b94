#include "platform/host/workbook/host_command_bar.h"

#include <algorithm>

#include "platform/host/workbook/builtin_commands.h"
#include "platform/host/workbook/host_command_bars.h"
#include "platform/host/workbook/host_controls.h"
#include "platform/system/failure.h"

namespace tavrello::host {

namespace {

// Sizes of a bar laid out from its controls: a grip and border around one
// row (or column, docked at a side) of controls.
constexpr std::int32_t kBarBorder = 8;
constexpr std::int32_t kBarThickness = 26;
constexpr std::int32_t kControlHeight = 22;

class BarControls : public CommandBarControls {
 public:
  explicit BarControls(std::shared_ptr<HostCommandBar> bar) : bar_(std::move(bar)) {}

  std::int32_t Count() const override { return static_cast<std::int32_t>(alive().controls().size()); }

  std::shared_ptr<CommandBarControl> Item(std::int32_t index) const override {
    const auto& controls = alive().controls();
    if (index < 1 || index > static_cast<std::int32_t>(controls.size()))
      throw Failure::host("The command bar '" + bar_->name() + "' has no control " + std::to_string(index) + ".");
    return controls[static_cast<std::size_t>(index - 1)]->asControl();
  }

  std::shared_ptr<CommandBarControl> Add(int Type, int Id, const std::optional<std::string>& Parameter,
                                         std::optional<std::int32_t> Before, bool Temporary) override {
    alive();
    const BuiltInCommand* command = nullptr;
    if (Id != 0 && Id != 1) {
      command = findBuiltInCommand(Id);
      if (!command) throw Failure::host("This host has no built-in command with id " + std::to_string(Id) + ".");
    }
    auto control = bar_->addControl(Type, Before);
    ControlState& state = control->state();
    state.temporary = Temporary;
    if (command) {
      state.id = command->id;
      state.builtIn = true;
      state.caption = command->caption;
      state.faceId = command->faceId;
      if (auto bars = bar_->owner()) state.action = bars->actionFor(*command);
    }
    if (Parameter) state.parameter = *Parameter;
    return control->asControl();
  }

 private:
  const HostCommandBar& alive() const {
    if (bar_->deleted()) throw Failure::host("The command bar has been deleted.");
    return *bar_;
  }

  std::shared_ptr<HostCommandBar> bar_;
};

}  // namespace

HostCommandBar::HostCommandBar(std::weak_ptr<HostCommandBars> owner, std::string name, bool builtIn, bool menuBar,
                               bool temporary)
    : owner_(std::move(owner)), name_(std::move(name)), builtIn_(builtIn), menuBar_(menuBar), temporary_(temporary) {}

void HostCommandBar::requireAlive() const {
  if (deleted_) throw Failure::host("The command bar has been deleted.");
}

std::string HostCommandBar::Name() const {
  requireAlive();
  return name_;
}

std::int32_t HostCommandBar::Index() const {
  requireAlive();
  auto bars = owner();
  return bars ? bars->indexOf(*this) : 0;
}

bool HostCommandBar::BuiltIn() const {
  requireAlive();
  return builtIn_;
}

bool HostCommandBar::Temporary() const {
  requireAlive();
  return temporary_;
}

std::shared_ptr<CommandBarControls> HostCommandBar::Controls() {
  requireAlive();
  return std::make_shared<BarControls>(shared_from_this());
}

bool HostCommandBar::Visible() const {
  requireAlive();
  return placement_.visible;
}

void HostCommandBar::Visible(bool on) {
  requireAlive();
  placement_.visible = on;
}

int HostCommandBar::Position() const {
  requireAlive();
  return placement_.position;
}

void HostCommandBar::Position(int position) {
  requireAlive();
  if (position < MsoBarPosition::Left || position > MsoBarPosition::Floating)
    throw Failure::host("A command bar's position must be 0 (left), 1 (top), 2 (right), 3 (bottom) or 4 (floating).");
  if (position == placement_.position) return;
  placement_.position = position;
  if (position != MsoBarPosition::Floating) {
    auto bars = owner();
    placement_.rowIndex = bars ? bars->nextRowIndex(position, *this) : 1;
  }
}

std::int32_t HostCommandBar::Left() const {
  requireAlive();
  return placement_.left;
}

void HostCommandBar::Left(std::int32_t left) {
  requireAlive();
  placement_.left = left;
}

std::int32_t HostCommandBar::Top() const {
  requireAlive();
  return placement_.top;
}

void HostCommandBar::Top(std::int32_t top) {
  requireAlive();
  placement_.top = top;
}

std::int32_t HostCommandBar::Width() const {
  requireAlive();
  if (placement_.width) return *placement_.width;
  bool vertical = placement_.position == MsoBarPosition::Left || placement_.position == MsoBarPosition::Right;
  if (vertical) return kBarThickness;
  std::int32_t width = kBarBorder;
  for (const auto& control : controls_) {
    if (control->state().visible) width += control->state().width;
  }
  return width;
}

void HostCommandBar::Width(std::int32_t width) {
  requireAlive();
  if (width < 0) throw Failure::host("A command bar's width cannot be negative.");
  placement_.width = width;
}

std::int32_t HostCommandBar::Height() const {
  requireAlive();
  if (placement_.height) return *placement_.height;
  bool vertical = placement_.position == MsoBarPosition::Left || placement_.position == MsoBarPosition::Right;
  if (!vertical) return kBarThickness;
  std::int32_t height = kBarBorder;
  for (const auto& control : controls_) {
    if (control->state().visible) height += kControlHeight;
  }
  return height;
}

void HostCommandBar::Height(std::int32_t height) {
  requireAlive();
  if (height < 0) throw Failure::host("A command bar's height cannot be negative.");
  placement_.height = height;
}

std::int32_t HostCommandBar::RowIndex() const {
  requireAlive();
  return placement_.rowIndex;
}

void HostCommandBar::RowIndex(std::int32_t row) {
  requireAlive();
  if (row < 0) throw Failure::host("A command bar's row index cannot be negative.");
  placement_.rowIndex = row;
}

void HostCommandBar::Delete() {
  requireAlive();
  if (builtIn_) throw Failure::host("The built-in command bar '" + name_ + "' cannot be deleted.");
  if (auto bars = owner()) bars->removeBar(*this);
  else markDeleted();
}

std::shared_ptr<HostControl> HostCommandBar::addControl(int type, std::optional<std::int32_t> before) {
  requireAlive();
  auto count = static_cast<std::int32_t>(controls_.size());
  std::int32_t at = before.value_or(count + 1);
  if (at < 1 || at > count + 1)
    throw Failure::host("Before must lie between 1 and " + std::to_string(count + 1) + ", not " + std::to_string(at) +
                        ".");
  auto control = makeControl(type, weak_from_this());
  controls_.insert(controls_.begin() + (at - 1), control);
  return control;
}

std::int32_t HostCommandBar::indexOf(const HostControl& control) const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].get() == &control) return static_cast<std::int32_t>(i + 1);
  }
  return 0;
}

void HostCommandBar::removeControl(const HostControl& control) {
  for (auto it = controls_.begin(); it != controls_.end(); ++it) {
    if (it->get() == &control) {
      (*it)->state().deleted = true;
      controls_.erase(it);
      return;
    }
  }
}

void HostCommandBar::markDeleted() {
  deleted_ = true;
  for (const auto& control : controls_) control->state().deleted = true;
  controls_.clear();
}

}  // namespace tavrello::host
