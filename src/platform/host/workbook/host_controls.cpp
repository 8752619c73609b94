#include "platform/host/workbook/host_controls.h"

#include <algorithm>

#include "platform/host/workbook/host_command_bar.h"
#include "platform/host/workbook/host_command_bars.h"
#include "platform/system/failure.h"

namespace tavrello::host {

namespace {

// The members every control shares, over the object-model interface I.
template <class I>
class ControlBase : public I, public HostControl, public std::enable_shared_from_this<ControlBase<I>> {
 public:
  ControlState& state() override { return state_; }
  const ControlState& state() const override { return state_; }
  std::shared_ptr<CommandBarControl> asControl() override { return this->shared_from_this(); }

  int Type() const override { return alive().type; }
  int Id() const override { return alive().id; }
  bool BuiltIn() const override { return alive().builtIn; }
  std::int32_t Index() const override { return bar()->indexOf(*this); }
  std::shared_ptr<CommandBar> Parent() const override { return bar(); }

  std::string Caption() const override { return alive().caption; }
  void Caption(const std::string& text) override { alive().caption = text; }
  std::string Tag() const override { return alive().tag; }
  void Tag(const std::string& text) override { alive().tag = text; }
  std::string Parameter() const override { return alive().parameter; }
  void Parameter(const std::string& text) override { alive().parameter = text; }
  std::string TooltipText() const override { return alive().tooltipText; }
  void TooltipText(const std::string& text) override { alive().tooltipText = text; }
  std::int32_t Width() const override { return alive().width; }
  void Width(std::int32_t width) override {
    if (width < 0) throw Failure::host("A control's width cannot be negative.");
    alive().width = width;
  }
  bool Enabled() const override { return alive().enabled; }
  void Enabled(bool on) override { alive().enabled = on; }
  bool Visible() const override { return alive().visible; }
  void Visible(bool on) override { alive().visible = on; }
  bool Temporary() const override { return alive().temporary; }

  void Delete() override {
    alive();
    bar()->removeControl(*this);
  }

  void Execute() override {
    alive();
    if (auto bars = bar()->owner()) bars->click(*this);
  }

 protected:
  ControlState& alive() const {
    if (state_.deleted) throw Failure::host("The command bar control has been deleted.");
    return state_;
  }
  std::shared_ptr<HostCommandBar> bar() const {
    auto owner = state_.bar.lock();
    if (!owner || state_.deleted) throw Failure::host("The command bar control has been deleted.");
    return owner;
  }

 private:
  mutable ControlState state_;
};

class HostButton : public ControlBase<CommandBarButton> {
 public:
  std::int32_t FaceId() const override { return alive().faceId; }
  void FaceId(std::int32_t face) override {
    if (face < 0) throw Failure::host("A face number cannot be negative.");
    alive().faceId = face;
  }

  std::unique_ptr<EventBinding> BindClick(CommandBarButtonEvents& receiver) override {
    alive();
    auto bars = bar()->owner();
    if (!bars) throw Failure::host("The command bars have been closed.");
    return bars->bind(std::static_pointer_cast<HostControl>(shared_from_this()), receiver);
  }
};

class HostComboBox : public ControlBase<CommandBarComboBox> {
 public:
  void AddItem(const std::string& Text, std::optional<std::int32_t> Index) override {
    auto& s = alive();
    std::int32_t count = static_cast<std::int32_t>(s.items.size());
    std::int32_t at = Index.value_or(count + 1);
    if (at < 1 || at > count + 1) throw Failure::host("AddItem: index " + std::to_string(at) + " is out of range.");
    s.items.insert(s.items.begin() + (at - 1), Text);
    if (s.listIndex >= at) ++s.listIndex;
  }

  void RemoveItem(std::int32_t Index) override {
    auto& s = alive();
    checkIndex(Index, 1);
    s.items.erase(s.items.begin() + (Index - 1));
    if (s.listIndex == Index) s.listIndex = 0;
    else if (s.listIndex > Index) --s.listIndex;
  }

  void Clear() override {
    auto& s = alive();
    s.items.clear();
    s.listIndex = 0;
    s.text.clear();
  }

  std::int32_t ListCount() const override { return static_cast<std::int32_t>(alive().items.size()); }

  std::string List(std::int32_t Index) const override {
    checkIndex(Index, 1);
    return alive().items[static_cast<std::size_t>(Index - 1)];
  }

  void List(std::int32_t Index, const std::string& text) override {
    checkIndex(Index, 1);
    auto& s = alive();
    s.items[static_cast<std::size_t>(Index - 1)] = text;
    if (s.listIndex == Index) s.text = text;
  }

  std::int32_t ListIndex() const override { return alive().listIndex; }

  void ListIndex(std::int32_t index) override {
    checkIndex(index, 0);
    auto& s = alive();
    s.listIndex = index;
    if (index > 0) s.text = s.items[static_cast<std::size_t>(index - 1)];
  }

  std::string Text() const override { return alive().text; }

  void Text(const std::string& text) override {
    auto& s = alive();
    s.text = text;
    auto found = std::find(s.items.begin(), s.items.end(), text);
    s.listIndex = found == s.items.end() ? 0 : static_cast<std::int32_t>(found - s.items.begin()) + 1;
  }

 private:
  void checkIndex(std::int32_t index, std::int32_t lowest) const {
    if (index < lowest || index > static_cast<std::int32_t>(alive().items.size()))
      throw Failure::host("The list has no entry " + std::to_string(index) + ".");
  }
};

}  // namespace

std::shared_ptr<HostControl> makeControl(int type, const std::weak_ptr<HostCommandBar>& bar) {
  std::shared_ptr<HostControl> control;
  if (type == MsoControlType::Button) {
    control = std::make_shared<HostButton>();
  } else if (type == MsoControlType::ComboBox) {
    control = std::make_shared<HostComboBox>();
    control->state().width = 100;
  } else {
    throw Failure::host("This host offers buttons (type 1) and combo boxes (type 4) only, not type " +
                        std::to_string(type) + ".");
  }
  control->state().type = type;
  control->state().bar = bar;
  return control;
}

}  // namespace tavrello::host
