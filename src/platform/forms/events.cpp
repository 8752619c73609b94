#include "platform/forms/events.h"

#include <iostream>
#include <memory>
#include <utility>

#include "platform/forms/form.h"
#include "platform/system/printable_text.h"

namespace tavrello::forms {
namespace {

// The number the platform gives a failure it cannot name; used for anything
// thrown that is not a Failure.
constexpr std::int32_t kInternalError = 51;

bool userOrigin = false;

UnhandledFailureHandler& hook() {
  static UnhandledFailureHandler handler;
  return handler;
}

void defaultHook(const Failure& failure, const std::string& formName, const std::string& procedure) {
  std::cerr << "Tavrello: unhandled failure in " << formName;
  if (!procedure.empty()) std::cerr << "." << procedure;
  std::cerr << ": " << sys::printableText(failure.toString()) << std::endl;
}

void report(const Failure& failure, const std::string& formName, const std::string& procedure) {
  try {
    if (hook()) {
      hook()(failure, formName, procedure);
      return;
    }
  } catch (const std::exception& e) {
    std::cerr << "Tavrello: the failure hook failed: " << sys::printableText(e.what()) << std::endl;
  } catch (...) {
    std::cerr << "Tavrello: the failure hook failed" << std::endl;
  }
  defaultHook(failure, formName, procedure);
}

// Runs `body`, handing whatever escapes it to the hook.
void runOutermost(const std::function<void()>& body, const std::string& formName,
                  const std::string& procedure) {
  try {
    body();
  } catch (const Failure& failure) {
    report(failure, formName, procedure);
  } catch (const std::exception& e) {
    report(Failure(kInternalError, e.what()), formName, procedure);
  } catch (...) {
    report(Failure(kInternalError, "Internal error"), formName, procedure);
  }
}

class OriginScope {
 public:
  explicit OriginScope(bool user) : saved_(userOrigin) { userOrigin = user; }
  ~OriginScope() { userOrigin = saved_; }
  OriginScope(const OriginScope&) = delete;
  OriginScope& operator=(const OriginScope&) = delete;

 private:
  bool saved_;
};

std::shared_ptr<Form> keepAlive(Form* form) { return form ? form->weak_from_this().lock() : nullptr; }

}  // namespace

const char* eventName(Event event) {
  switch (event) {
    case Event::Click: return "Click";
    case Event::DblClick: return "DblClick";
    case Event::Change: return "Change";
    case Event::GotFocus: return "GotFocus";
    case Event::LostFocus: return "LostFocus";
    case Event::Load: return "Load";
    case Event::Unload: return "Unload";
    case Event::Resize: return "Resize";
  }
  return "";
}

UnhandledFailureHandler setUnhandledFailureHandler(UnhandledFailureHandler handler) {
  return std::exchange(hook(), std::move(handler));
}

void asUserAction(Form* form, const std::function<void()>& action) {
  const auto keep = keepAlive(form);
  const std::string formName = form ? form->Name() : std::string();
  OriginScope scope(true);
  runOutermost(action, formName, {});
}

void EventSource::bindHandler(std::string event, std::string procedure, Handler handler) {
  handlers_[std::move(event)] = Binding{std::move(procedure), std::move(handler)};
}

void EventSource::raise(const std::string& event, std::any* args) {
  const auto found = handlers_.find(event);
  if (found == handlers_.end() || !found->second.handler) return;
  // A copy: the handler may rebind itself, or unload the form that holds it.
  const Binding binding = found->second;
  Form* form = ownerForm();
  const auto keep = keepAlive(form);
  if (!userOrigin) {
    binding.handler(args);
    return;
  }
  // Everything the handler's own code raises is nested in it.
  OriginScope nested(false);
  runOutermost([&] { binding.handler(args); }, form ? form->Name() : std::string(), binding.procedure);
}

}  // namespace tavrello::forms
