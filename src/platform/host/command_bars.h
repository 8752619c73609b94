#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tavrello::host {

class CommandBar;
class CommandBarButton;

// Where a command bar sits, numbered as the object model numbers it.
namespace MsoBarPosition {
inline constexpr int Left = 0;
inline constexpr int Top = 1;
inline constexpr int Right = 2;
inline constexpr int Bottom = 3;
inline constexpr int Floating = 4;
}  // namespace MsoBarPosition

// The control kinds this host offers, numbered as the object model numbers
// them.
namespace MsoControlType {
inline constexpr int Button = 1;
inline constexpr int ComboBox = 4;
}  // namespace MsoControlType

// One control on a command bar. Properties read back what was set. Using a
// control after it (or its bar) has been deleted fails with 1004; so does
// every other refused call, unless said otherwise. Failures are
// tavrello::Failure.
class CommandBarControl {
 public:
  virtual ~CommandBarControl() = default;

  // MsoControlType of the control.
  virtual int Type() const = 0;

  // The built-in command id; 1 for a control the add-in made without one.
  virtual int Id() const = 0;

  // Whether the host made the control (built-in bars, or Controls.Add with
  // the id of a built-in command).
  virtual bool BuiltIn() const = 0;

  // 1-based position on its bar.
  virtual std::int32_t Index() const = 0;

  virtual std::shared_ptr<CommandBar> Parent() const = 0;

  virtual std::string Caption() const = 0;
  virtual void Caption(const std::string& text) = 0;

  // Free text of the add-in's own; buttons with the same Tag share click
  // events (see CommandBarButton::BindClick).
  virtual std::string Tag() const = 0;
  virtual void Tag(const std::string& text) = 0;

  // Free text of the add-in's own.
  virtual std::string Parameter() const = 0;
  virtual void Parameter(const std::string& text) = 0;

  virtual std::string TooltipText() const = 0;
  virtual void TooltipText(const std::string& text) = 0;

  // Width in the host's command-bar units (pixels); at least 0.
  virtual std::int32_t Width() const = 0;
  virtual void Width(std::int32_t width) = 0;

  virtual bool Enabled() const = 0;
  virtual void Enabled(bool on) = 0;

  virtual bool Visible() const = 0;
  virtual void Visible(bool on) = 0;

  // Whether the control goes away when the host exits.
  virtual bool Temporary() const = 0;

  // Removes the control from its bar.
  virtual void Delete() = 0;

  // What a user's click does: for a button, raises Click on every receiver
  // bound to a button that shares this button's Tag (or, untagged, this very
  // button), then runs the button's own command unless a receiver set
  // CancelDefault. A disabled control does nothing; a combo box raises
  // nothing.
  virtual void Execute() = 0;
};

// Receives the click events of command-bar buttons. The receiver is called
// on the host's user-interface thread. It may delete controls or bars and
// release its own binding while it runs.
class CommandBarButtonEvents {
 public:
  virtual ~CommandBarButtonEvents() = default;

  // Ctrl is the button that was clicked (not necessarily the bound one).
  // CancelDefault arrives as the host or an earlier receiver left it; setting
  // it true stops the button's built-in command.
  virtual void Click(const std::shared_ptr<CommandBarButton>& Ctrl, bool& CancelDefault) = 0;
};

// Keeps a receiver bound; releasing it unbinds, after which the receiver is
// never called again. It may outlive the host's bars and the button.
class EventBinding {
 public:
  virtual ~EventBinding() = default;
};

// A push button, with an icon from the host's face list.
class CommandBarButton : public CommandBarControl {
 public:
  // The icon's face number; 0 is no icon.
  virtual std::int32_t FaceId() const = 0;
  virtual void FaceId(std::int32_t face) = 0;

  // Binds a receiver to this button, as a variable declared WithEvents does:
  // from now on every click on any button carrying the same Tag as this
  // button (read at the time of the click), on any bar, raises Click on the
  // receiver; for an untagged button only its own clicks (or those of
  // another built-in button with the same Id) do. The receiver must outlive
  // the returned binding.
  virtual std::unique_ptr<EventBinding> BindClick(CommandBarButtonEvents& receiver) = 0;
};

// A drop-down list with an edit field. List entries are numbered from 1.
class CommandBarComboBox : public CommandBarControl {
 public:
  // Adds an entry at the end, or before the entry with the given 1-based
  // index (1 to ListCount + 1).
  virtual void AddItem(const std::string& Text, std::optional<std::int32_t> Index = std::nullopt) = 0;

  // Removes one entry (1-based).
  virtual void RemoveItem(std::int32_t Index) = 0;

  // Removes every entry and the text.
  virtual void Clear() = 0;

  virtual std::int32_t ListCount() const = 0;

  // The entry at a 1-based index; 1004 outside 1 to ListCount.
  virtual std::string List(std::int32_t Index) const = 0;
  virtual void List(std::int32_t Index, const std::string& text) = 0;

  // The selected entry, 1-based; 0 when none is selected. Setting it also
  // sets Text to that entry; 1004 outside 0 to ListCount.
  virtual std::int32_t ListIndex() const = 0;
  virtual void ListIndex(std::int32_t index) = 0;

  // The text in the edit field. Setting it selects the first entry equal to
  // it, or none.
  virtual std::string Text() const = 0;
  virtual void Text(const std::string& text) = 0;
};

// The controls of one bar, in order.
class CommandBarControls {
 public:
  virtual ~CommandBarControls() = default;

  virtual std::int32_t Count() const = 0;

  // By 1-based position; 1004 when there is none.
  virtual std::shared_ptr<CommandBarControl> Item(std::int32_t index) const = 0;

  // Adds a button (Type 1) or combo box (Type 4). A non-zero Id other than 1
  // copies the built-in command of that id (its caption and action); an id
  // the host does not know fails. The control goes before the control at
  // 1-based position Before, or at the end. Parameter, when given, is set as
  // the control's Parameter. Any other Type fails with 1004.
  virtual std::shared_ptr<CommandBarControl> Add(int Type = MsoControlType::Button, int Id = 0,
                                                 const std::optional<std::string>& Parameter = std::nullopt,
                                                 std::optional<std::int32_t> Before = std::nullopt,
                                                 bool Temporary = false) = 0;
};

// A toolbar or menu bar of the host.
class CommandBar {
 public:
  virtual ~CommandBar() = default;

  virtual std::string Name() const = 0;

  // 1-based position among the host's bars.
  virtual std::int32_t Index() const = 0;

  // Whether the host made the bar ("Worksheet Menu Bar", "Standard",
  // "Formatting"); built-in bars cannot be deleted.
  virtual bool BuiltIn() const = 0;

  virtual bool Temporary() const = 0;

  virtual std::shared_ptr<CommandBarControls> Controls() = 0;

  virtual bool Visible() const = 0;
  virtual void Visible(bool on) = 0;

  // MsoBarPosition; other values fail with 1004. Docking a bar at another
  // side puts it on a new row of that side (RowIndex); a bar keeps its row
  // while it stays docked there.
  virtual int Position() const = 0;
  virtual void Position(int position) = 0;

  // Placement in the host's command-bar units. Each reads back what was set
  // last, or the host's default place for the bar. Width and Height must be
  // at least 0.
  virtual std::int32_t Left() const = 0;
  virtual void Left(std::int32_t left) = 0;
  virtual std::int32_t Top() const = 0;
  virtual void Top(std::int32_t top) = 0;
  virtual std::int32_t Width() const = 0;
  virtual void Width(std::int32_t width) = 0;
  virtual std::int32_t Height() const = 0;
  virtual void Height(std::int32_t height) = 0;

  // The docking row, counted from 1 nearest the edge of the window.
  virtual std::int32_t RowIndex() const = 0;
  virtual void RowIndex(std::int32_t row) = 0;

  // Removes the bar with its controls; fails for a built-in bar.
  virtual void Delete() = 0;
};

// The host's command bars.
class CommandBars {
 public:
  virtual ~CommandBars() = default;

  virtual std::int32_t Count() const = 0;

  // By name (without regard to case) or by 1-based position; fails with 5
  // ("Invalid procedure call or argument") when there is no such bar.
  virtual std::shared_ptr<CommandBar> Item(const std::string& name) const = 0;
  virtual std::shared_ptr<CommandBar> Item(std::int32_t index) const = 0;

  // Adds a bar. Without a name the host names it "Custom N". Fails with 5
  // when a bar of that name exists (compared without regard to case), and
  // with 1004 for a position outside MsoBarPosition. A new bar is hidden;
  // a floating one gets the host's default place. A temporary bar is gone
  // when the host exits.
  virtual std::shared_ptr<CommandBar> Add(const std::optional<std::string>& Name = std::nullopt,
                                          int Position = MsoBarPosition::Top, bool MenuBar = false,
                                          bool Temporary = false) = 0;

  // The first control, searching the bars and their controls in order, that
  // matches every criterion given (type, id, tag; with Visible true only
  // visible controls on visible bars). Nothing when none matches.
  virtual std::shared_ptr<CommandBarControl> FindControl(std::optional<int> Type = std::nullopt,
                                                         std::optional<int> Id = std::nullopt,
                                                         const std::optional<std::string>& Tag = std::nullopt,
                                                         bool Visible = false) const = 0;
};

}  // namespace tavrello::host
