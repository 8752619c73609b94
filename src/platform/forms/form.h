#pragma once

#include <any>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/events.h"
#include "platform/forms/signal.h"

namespace tavrello::forms {

// How Show runs a form: modal waits until the form is hidden or unloaded.
enum class ShowMode { Modeless = 0, Modal = 1 };

// What a form's observers (its window) are told.
enum class FormChange { Caption, Geometry, Icon, Font, Visible, Refresh, Repaint, Unloaded, Destroyed };

// The base of every window: a named form with a caption, a size in twips,
// an icon, and a table of named controls created by the derived class's
// constructor in the order they are drawn and tabbed through.
//
// Lifecycle, as on the platform the windows were written for:
//  - Load runs the Load handler once (Form_Load or UserForm_Initialize,
//    whatever the form bound it as); Show loads the form first if needed.
//  - Show makes it visible through the dialog service, raises Resize the
//    first time, and with ShowMode::Modal returns only once it is hidden or
//    unloaded.
//  - Hide takes the window away and keeps the form loaded.
//  - Unload runs the Unload handler, closes the window and releases the
//    form's shared instance (see shared_form.h).
// The form keeps itself alive while one of these runs and while one of its
// handlers runs, even when the handler unloads it (when it is owned by a
// shared_ptr, as shared instances are).
class Form : public EventSource, public std::enable_shared_from_this<Form> {
 public:
  // `className` is the form's name in the window code ("formAbout"); it
  // names the form in reports of unhandled failures.
  explicit Form(std::string className);
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return name_; }

  // The title bar text.
  const std::string& Caption() const { return caption_; }
  void Caption(std::string caption);

  // The window's size in twips (its views give the client area this size;
  // the frame around it is the window system's). A change while the form is
  // loaded raises Resize.
  float Width() const { return width_; }
  float Height() const { return height_; }
  void Width(float twips);
  void Height(float twips);

  // The name of the window's icon in the program's picture collection.
  const std::string& Icon() const { return icon_; }
  void Icon(std::string name);

  // The font new controls take when the constructor adds them.
  const FontInfo& Font() const { return font_; }
  void Font(FontInfo font);

  bool Loaded() const { return loaded_; }
  bool Visible() const { return visible_; }
  // Whether the form is being shown modally right now.
  bool Modal() const { return modal_; }

  // The control table, in creation order.
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  // A control by name, ignoring case; fails with "Invalid procedure call or
  // argument" when the form has none of that name or of that kind.
  Control& Controls(std::string_view name) const;
  template <class T>
  T& controlAs(std::string_view name) const {
    if (auto* control = dynamic_cast<T*>(&Controls(name))) return *control;
    throw Failure::invalidCall("'" + std::string(name) + "' is not a control of that kind");
  }
  // The control with the keyboard focus, or null.
  Control* ActiveControl() const { return active_; }

  // Binds a handler under its procedure name to one of a control's events,
  // or to one of the form's own events (Load, Unload, Resize).
  void bind(Control& control, Event event, std::string procedure, std::function<void()> handler);
  void bind(Control& control, const std::string& event, std::string procedure,
            std::function<void(std::any& args)> handler);
  void bind(Event event, std::string procedure, std::function<void()> handler);

  void Load();
  void Show(ShowMode mode = ShowMode::Modeless);
  void Hide();
  void Unload();
  // Raises Resize (the window was resized, or is shown for the first time).
  void Resize();
  // Redraw the window now (Repaint) or when next idle (Refresh).
  void Refresh();
  void Repaint();

  // The form itself, as its own code calls it.
  Form& Me() { return *this; }

  // Views: the user closed the window with its close box, or resized it.
  void userClose();
  void userResize(float width, float height);

  [[nodiscard]] Subscription observe(std::function<void(FormChange)> observer);

 protected:
  // Adds a control to the table; only for the derived class's constructor.
  // Fails for a name already taken.
  template <class T, class... Args>
  T& add(std::string name, Args&&... args) {
    checkNewName(name);
    auto control = std::make_unique<T>(this, std::move(name), std::forward<Args>(args)...);
    T& result = *control;
    controls_.push_back(std::move(control));
    return result;
  }

  Form* ownerForm() const override { return const_cast<Form*>(this); }

 private:
  friend class Control;
  void moveFocus(Control* control);
  void checkNewName(const std::string& name) const;
  void setSize(float width, float height);
  std::shared_ptr<Form> keepAlive() { return weak_from_this().lock(); }

  std::string name_;
  std::string caption_;
  float width_ = 4800;
  float height_ = 3600;
  std::string icon_;
  FontInfo font_;
  std::vector<std::unique_ptr<Control>> controls_;
  Control* active_ = nullptr;
  bool loaded_ = false;
  bool visible_ = false;
  bool modal_ = false;
  bool shownOnce_ = false;
  bool unloading_ = false;
  Signal<FormChange> changed_;
};

}  // namespace tavrello::forms
