#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/command_bars.h"

namespace tavrello::host {

class HostCommandBars;
class HostControl;

// Where a bar sits and how large it is. Width and Height follow the bar's
// controls until they are set.
struct BarPlacement {
  bool visible = false;
  int position = MsoBarPosition::Floating;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::optional<std::int32_t> width;
  std::optional<std::int32_t> height;
  std::int32_t rowIndex = 0;
};

// One command bar of the workbook host.
class HostCommandBar : public CommandBar, public std::enable_shared_from_this<HostCommandBar> {
 public:
  HostCommandBar(std::weak_ptr<HostCommandBars> owner, std::string name, bool builtIn, bool menuBar, bool temporary);

  std::string Name() const override;
  std::int32_t Index() const override;
  bool BuiltIn() const override;
  bool Temporary() const override;
  std::shared_ptr<CommandBarControls> Controls() override;
  bool Visible() const override;
  void Visible(bool on) override;
  int Position() const override;
  void Position(int position) override;
  std::int32_t Left() const override;
  void Left(std::int32_t left) override;
  std::int32_t Top() const override;
  void Top(std::int32_t top) override;
  std::int32_t Width() const override;
  void Width(std::int32_t width) override;
  std::int32_t Height() const override;
  void Height(std::int32_t height) override;
  std::int32_t RowIndex() const override;
  void RowIndex(std::int32_t row) override;
  void Delete() override;

  std::shared_ptr<HostCommandBars> owner() const { return owner_.lock(); }
  const std::string& name() const { return name_; }
  bool isBuiltIn() const { return builtIn_; }
  bool isMenuBar() const { return menuBar_; }
  bool isTemporary() const { return temporary_; }
  bool deleted() const { return deleted_; }
  const BarPlacement& placement() const { return placement_; }
  BarPlacement& placement() { return placement_; }

  const std::vector<std::shared_ptr<HostControl>>& controls() const { return controls_; }
  // Adds a control of `type` before 1-based position `before` (or at the end).
  std::shared_ptr<HostControl> addControl(int type, std::optional<std::int32_t> before);
  std::int32_t indexOf(const HostControl& control) const;
  void removeControl(const HostControl& control);
  // Marks the bar and its controls deleted (the bars' list drops it).
  void markDeleted();

 private:
  void requireAlive() const;

  std::weak_ptr<HostCommandBars> owner_;
  std::string name_;
  bool builtIn_;
  bool menuBar_;
  bool temporary_;
  bool deleted_ = false;
  BarPlacement placement_;
  std::vector<std::shared_ptr<HostControl>> controls_;
};

}  // namespace tavrello::host
