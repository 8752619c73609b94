#include "platform/forms/form.h"

#include <algorithm>
#include <cctype>

#include "platform/forms/dialog_service.h"
#include "platform/forms/shared_form.h"

namespace tavrello::forms {
namespace {

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

// Clears a flag when the scope ends, on every path.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

Form::Form(std::string className) : name_(std::move(className)) {}

Form::~Form() { changed_.notify(FormChange::Destroyed); }

void Form::Caption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  changed_.notify(FormChange::Caption);
}

void Form::Width(float twips) { setSize(twips, height_); }
void Form::Height(float twips) { setSize(width_, twips); }

void Form::setSize(float width, float height) {
  if (width < 0 || height < 0) throw invalidPropertyValue();
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  changed_.notify(FormChange::Geometry);
  if (loaded_) Resize();
}

void Form::Icon(std::string name) {
  if (name == icon_) return;
  icon_ = std::move(name);
  changed_.notify(FormChange::Icon);
}

void Form::Font(FontInfo font) {
  if (font == font_) return;
  font_ = std::move(font);
  changed_.notify(FormChange::Font);
}

Control& Form::Controls(std::string_view name) const {
  for (const auto& control : controls_) {
    if (sameName(control->Name(), name)) return *control;
  }
  throw Failure::invalidCall("'" + std::string(name) + "' is not a control of " + name_);
}

void Form::checkNewName(const std::string& name) const {
  for (const auto& control : controls_) {
    if (sameName(control->Name(), name)) throw Failure::invalidCall("Two controls named '" + name + "' on " + name_);
  }
}

void Form::bind(Control& control, Event event, std::string procedure, std::function<void()> handler) {
  control.bindHandler(eventName(event), std::move(procedure), [handler = std::move(handler)](std::any*) { handler(); });
}

void Form::bind(Control& control, const std::string& event, std::string procedure,
                std::function<void(std::any& args)> handler) {
  control.bindHandler(event, std::move(procedure), [handler = std::move(handler)](std::any* args) {
    std::any none;
    handler(args ? *args : none);
  });
}

void Form::bind(Event event, std::string procedure, std::function<void()> handler) {
  bindHandler(eventName(event), std::move(procedure), [handler = std::move(handler)](std::any*) { handler(); });
}

void Form::Load() {
  if (loaded_) return;
  const auto keep = keepAlive();
  loaded_ = true;
  raise(Event::Load);
}

void Form::Show(ShowMode mode) {
  const auto keep = keepAlive();
  if (mode == ShowMode::Modal && visible_) throw Failure(400, "Form already displayed; can't show modally");
  Load();
  if (!loaded_) return;  // its Load handler unloaded it again
  if (!visible_) {
    visible_ = true;
    changed_.notify(FormChange::Visible);
  }
  if (!shownOnce_) {
    shownOnce_ = true;
    Resize();
    if (!visible_) return;
  }
  if (mode == ShowMode::Modeless) {
    dialogs().showModeless(*this);
    return;
  }
  FlagScope modal(modal_);
  dialogs().runModal(*this);
}

void Form::Hide() {
  const auto keep = keepAlive();
  Load();
  if (!visible_) return;
  visible_ = false;
  changed_.notify(FormChange::Visible);
  dialogs().closeForm(*this);
}

void Form::Unload() {
  const auto keep = keepAlive();
  if (unloading_) return;
  if (loaded_) {
    FlagScope unloading(unloading_);
    raise(Event::Unload);
    loaded_ = false;
    visible_ = false;
    shownOnce_ = false;
    active_ = nullptr;
    dialogs().closeForm(*this);
    changed_.notify(FormChange::Unloaded);
  }
  releaseShared(*this);
}

void Form::Resize() { raise(Event::Resize); }
void Form::Refresh() { changed_.notify(FormChange::Refresh); }
void Form::Repaint() { changed_.notify(FormChange::Repaint); }

void Form::userClose() {
  asUserAction(this, [this] { Unload(); });
}

void Form::userResize(float width, float height) {
  asUserAction(this, [&] { setSize(std::max(width, 0.0F), std::max(height, 0.0F)); });
}

Subscription Form::observe(std::function<void(FormChange)> observer) { return changed_.connect(std::move(observer)); }

void Form::moveFocus(Control* control) {
  if (active_ == control) return;
  Control* previous = active_;
  active_ = control;
  if (previous) {
    previous->focusChanged();
    previous->raiseFocusEvent(Event::LostFocus);
  }
  // The LostFocus handler may have sent the focus elsewhere.
  if (active_ != control) return;
  control->focusChanged();
  control->raiseFocusEvent(Event::GotFocus);
}

}  // namespace tavrello::forms
