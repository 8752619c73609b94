#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/command_bars.h"

namespace tavrello::host {

class HostCommandBar;
class HostControl;
class WorkbookApplication;
struct BuiltInCommand;

// The workbook host's command bars: the built-in bars and those the add-ins
// add, the click receivers bound to buttons, and the dispatch of clicks.
class HostCommandBars : public CommandBars, public std::enable_shared_from_this<HostCommandBars> {
 public:
  // The host's bars with the built-in ones ("Worksheet Menu Bar",
  // "Standard", "Formatting"), docked at the top, visible, in rows 1 to 3.
  static std::shared_ptr<HostCommandBars> create(const std::shared_ptr<WorkbookApplication>& app);
  explicit HostCommandBars(std::weak_ptr<WorkbookApplication> app);
  ~HostCommandBars() override;

  std::int32_t Count() const override;
  std::shared_ptr<CommandBar> Item(const std::string& name) const override;
  std::shared_ptr<CommandBar> Item(std::int32_t index) const override;
  std::shared_ptr<CommandBar> Add(const std::optional<std::string>& Name = std::nullopt,
                                  int Position = MsoBarPosition::Top, bool MenuBar = false,
                                  bool Temporary = false) override;
  std::shared_ptr<CommandBarControl> FindControl(std::optional<int> Type = std::nullopt,
                                                 std::optional<int> Id = std::nullopt,
                                                 const std::optional<std::string>& Tag = std::nullopt,
                                                 bool Visible = false) const override;

  const std::vector<std::shared_ptr<HostCommandBar>>& bars() const { return bars_; }
  std::shared_ptr<HostCommandBar> findBar(const std::string& name) const;
  std::int32_t indexOf(const HostCommandBar& bar) const;
  void removeBar(const HostCommandBar& bar);
  // The row a bar docked at `position` gets: below every other bar there.
  std::int32_t nextRowIndex(int position, const HostCommandBar& except) const;

  // A user's click on a control (the window, tests, Execute): for an enabled
  // button, raises Click on every bound receiver whose button shares the
  // clicked button's Tag (or, untagged, is that very button or a built-in
  // one with the same id), in the order they were bound; then runs the
  // button's built-in command unless a receiver set CancelDefault. Returns
  // whether the command ran.
  bool click(HostControl& control);

  // Binds a receiver to a button; see CommandBarButton::BindClick.
  std::unique_ptr<EventBinding> bind(std::shared_ptr<HostControl> button, CommandBarButtonEvents& receiver);

  // The action a built-in command's button runs on this host.
  std::function<void()> actionFor(const BuiltInCommand& command) const;

  // At the host's exit: the temporary bars go, and so do temporary controls
  // on the bars that stay.
  void removeTemporary();

 private:
  struct Binding;
  class BindingHandle;

  std::weak_ptr<WorkbookApplication> app_;
  std::vector<std::shared_ptr<HostCommandBar>> bars_;
  std::vector<std::shared_ptr<Binding>> bindings_;
};

}  // namespace tavrello::host
