#pragma once

#include <any>
#include <functional>
#include <map>
#include <string>

#include "platform/system/failure.h"

namespace tavrello::forms {

class Form;

// The events the windows handle. Handlers are bound under the procedure name
// the window gives them (ComboConnections_Click, Form_Load), which is the
// name a failure escaping them is reported under.
enum class Event { Click, DblClick, Change, GotFocus, LostFocus, Load, Unload, Resize };

// "Click", "Change", ...: the key of an event in a control's handler table.
// Special controls raise events of their own under any other name.
const char* eventName(Event event);

// Receives a failure that escaped an event handler run for a user action
// (there is no add-in code below it to catch it), with the form's name and
// the handler's procedure name. The add-in installs its error reporter here;
// the default writes one line to standard error. The process never ends
// because of such a failure.
using UnhandledFailureHandler =
    std::function<void(const Failure& failure, const std::string& formName, const std::string& procedure)>;

// Installs the hook and returns the one it replaces; an empty function puts
// the default back.
UnhandledFailureHandler setUnhandledFailureHandler(UnhandledFailureHandler handler);

// Runs `action` as an action of the user on `form` (a click, a key, the
// close box). Event handlers that it raises directly are the outermost add-in
// code on the stack: a failure escaping one of them goes to the hook above,
// and the action goes on as the platform would after an unhandled event.
// Events raised by code inside a handler are nested: their failures pass to
// the code that raised them. A failure of the action itself (not of a
// handler) also goes to the hook, with an empty procedure name. `form` may be
// null; it is kept alive until the action ends.
void asUserAction(Form* form, const std::function<void()>& action);

// A table of bound handlers, held by every control and form.
class EventSource {
 public:
  virtual ~EventSource() = default;

  // Binds (or rebinds) the handler of an event, under its procedure name.
  // Handlers of events without arguments ignore the argument pointer.
  using Handler = std::function<void(std::any* args)>;
  void bindHandler(std::string event, std::string procedure, Handler handler);

 protected:
  // Runs the event's handler, if one is bound, by the rules of asUserAction:
  // caught and reported when raised by a user action, passed on otherwise.
  void raise(Event event) { raise(eventName(event), nullptr); }
  void raise(const std::string& event, std::any* args);

  // The form whose name failures are reported under; null for a control
  // that belongs to no form.
  virtual Form* ownerForm() const = 0;

 private:
  struct Binding {
    std::string procedure;
    Handler handler;
  };
  std::map<std::string, Binding> handlers_;
};

}  // namespace tavrello::forms
