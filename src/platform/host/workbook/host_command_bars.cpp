#include "platform/host/workbook/host_command_bars.h"

#include <algorithm>

#include "platform/host/workbook/ascii.h"
#include "platform/host/workbook/builtin_commands.h"
#include "platform/host/workbook/host_command_bar.h"
#include "platform/host/workbook/host_controls.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"

namespace tavrello::host {

namespace {

// Where a new floating bar appears.
constexpr std::int32_t kFloatingLeft = 200;
constexpr std::int32_t kFloatingTop = 150;

}  // namespace

struct HostCommandBars::Binding {
  std::shared_ptr<HostControl> button;
  CommandBarButtonEvents* receiver;
  bool active = true;
};

class HostCommandBars::BindingHandle : public EventBinding {
 public:
  BindingHandle(std::weak_ptr<HostCommandBars> bars, std::shared_ptr<Binding> binding)
      : bars_(std::move(bars)), binding_(std::move(binding)) {}
  ~BindingHandle() override {
    binding_->active = false;
    if (auto bars = bars_.lock()) std::erase(bars->bindings_, binding_);
  }

 private:
  std::weak_ptr<HostCommandBars> bars_;
  std::shared_ptr<Binding> binding_;
};

std::shared_ptr<HostCommandBars> HostCommandBars::create(const std::shared_ptr<WorkbookApplication>& app) {
  auto bars = std::make_shared<HostCommandBars>(app);
  std::int32_t row = 0;
  for (std::string_view name : builtInBarNames()) {
    auto bar = std::make_shared<HostCommandBar>(bars, std::string(name), true, name == "Worksheet Menu Bar", false);
    BarPlacement& place = bar->placement();
    place.visible = true;
    place.position = MsoBarPosition::Top;
    place.rowIndex = ++row;
    bars->bars_.push_back(bar);
    for (const auto& command : builtInCommands()) {
      if (command.bar != name) continue;
      auto control = bar->addControl(MsoControlType::Button, std::nullopt);
      ControlState& state = control->state();
      state.id = command.id;
      state.builtIn = true;
      state.caption = command.caption;
      state.faceId = command.faceId;
      state.action = bars->actionFor(command);
    }
  }
  return bars;
}

HostCommandBars::HostCommandBars(std::weak_ptr<WorkbookApplication> app) : app_(std::move(app)) {}

HostCommandBars::~HostCommandBars() {
  for (const auto& binding : bindings_) binding->active = false;
  for (const auto& bar : bars_) bar->markDeleted();
}

std::int32_t HostCommandBars::Count() const { return static_cast<std::int32_t>(bars_.size()); }

std::shared_ptr<HostCommandBar> HostCommandBars::findBar(const std::string& name) const {
  for (const auto& bar : bars_) {
    if (sameName(bar->name(), name)) return bar;
  }
  return nullptr;
}

std::shared_ptr<CommandBar> HostCommandBars::Item(const std::string& name) const {
  if (auto bar = findBar(name)) return bar;
  throw Failure::invalidCall();
}

std::shared_ptr<CommandBar> HostCommandBars::Item(std::int32_t index) const {
  if (index < 1 || index > Count()) throw Failure::invalidCall();
  return bars_[static_cast<std::size_t>(index - 1)];
}

std::shared_ptr<CommandBar> HostCommandBars::Add(const std::optional<std::string>& Name, int Position, bool MenuBar,
                                                 bool Temporary) {
  if (Position < MsoBarPosition::Left || Position > MsoBarPosition::Floating)
    throw Failure::host("A command bar's position must be 0 (left), 1 (top), 2 (right), 3 (bottom) or 4 (floating).");
  std::string name;
  if (Name && !Name->empty()) {
    name = *Name;
    if (findBar(name)) throw Failure::invalidCall();
  } else {
    int number = 1;
    while (findBar("Custom " + std::to_string(number))) ++number;
    name = "Custom " + std::to_string(number);
  }
  auto bar = std::make_shared<HostCommandBar>(weak_from_this(), name, false, MenuBar, Temporary);
  BarPlacement& place = bar->placement();
  place.position = Position;
  if (Position == MsoBarPosition::Floating) {
    place.left = kFloatingLeft;
    place.top = kFloatingTop;
  } else {
    place.rowIndex = nextRowIndex(Position, *bar);
  }
  bars_.push_back(bar);
  return bar;
}

std::shared_ptr<CommandBarControl> HostCommandBars::FindControl(std::optional<int> Type, std::optional<int> Id,
                                                                const std::optional<std::string>& Tag,
                                                                bool Visible) const {
  for (const auto& bar : bars_) {
    if (Visible && !bar->placement().visible) continue;
    for (const auto& control : bar->controls()) {
      const ControlState& state = control->state();
      if (Visible && !state.visible) continue;
      if (Type && state.type != *Type) continue;
      if (Id && state.id != *Id) continue;
      if (Tag && state.tag != *Tag) continue;
      return control->asControl();
    }
  }
  return nullptr;
}

std::int32_t HostCommandBars::indexOf(const HostCommandBar& bar) const {
  for (std::size_t i = 0; i < bars_.size(); ++i) {
    if (bars_[i].get() == &bar) return static_cast<std::int32_t>(i + 1);
  }
  return 0;
}

void HostCommandBars::removeBar(const HostCommandBar& bar) {
  for (auto it = bars_.begin(); it != bars_.end(); ++it) {
    if (it->get() == &bar) {
      auto removed = *it;
      bars_.erase(it);
      removed->markDeleted();
      return;
    }
  }
}

std::int32_t HostCommandBars::nextRowIndex(int position, const HostCommandBar& except) const {
  std::int32_t row = 0;
  for (const auto& bar : bars_) {
    if (bar.get() != &except && bar->placement().position == position) row = std::max(row, bar->placement().rowIndex);
  }
  return row + 1;
}

bool HostCommandBars::click(HostControl& control) {
  ControlState& clicked = control.state();
  if (clicked.deleted || !clicked.enabled || clicked.type != MsoControlType::Button) return false;
  auto button = std::dynamic_pointer_cast<CommandBarButton>(control.asControl());
  // Receivers may bind, unbind or delete bars while they run: work on a copy
  // and skip bindings released meanwhile.
  std::vector<std::shared_ptr<Binding>> bindings = bindings_;
  bool cancelDefault = false;
  for (const auto& binding : bindings) {
    if (!binding->active) continue;
    const ControlState& bound = binding->button->state();
    bool matches = !bound.tag.empty() ? clicked.tag == bound.tag
                   : bound.builtIn    ? clicked.builtIn && clicked.id == bound.id && clicked.tag.empty()
                                      : binding->button.get() == &control;
    if (matches) binding->receiver->Click(button, cancelDefault);
  }
  if (cancelDefault || !clicked.action) return false;
  auto action = clicked.action;
  action();
  return true;
}

std::unique_ptr<EventBinding> HostCommandBars::bind(std::shared_ptr<HostControl> button,
                                                    CommandBarButtonEvents& receiver) {
  auto binding = std::make_shared<Binding>(Binding{std::move(button), &receiver, true});
  bindings_.push_back(binding);
  return std::make_unique<BindingHandle>(weak_from_this(), binding);
}

std::function<void()> HostCommandBars::actionFor(const BuiltInCommand& command) const {
  std::weak_ptr<WorkbookApplication> app = app_;
  auto run = command.run;
  return [app, run] {
    if (auto live = app.lock()) run(*live);
  };
}

void HostCommandBars::removeTemporary() {
  std::vector<std::shared_ptr<HostCommandBar>> temporary;
  for (const auto& bar : bars_) {
    if (bar->isTemporary()) {
      temporary.push_back(bar);
      continue;
    }
    std::vector<std::shared_ptr<HostControl>> controls = bar->controls();
    for (const auto& control : controls) {
      if (control->state().temporary) bar->removeControl(*control);
    }
  }
  for (const auto& bar : temporary) removeBar(*bar);
}

}  // namespace tavrello::host
