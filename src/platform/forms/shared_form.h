#pragma once

#include <memory>
#include <string>
#include <typeinfo>

#include "platform/forms/form.h"

namespace tavrello::forms {

// The table of shared form instances: one per form class, created on first
// use and released when the form unloads, as the windows' code expects when
// it names a form by its class (formSQLNew.ComboConnections...). The table
// lives in this library, so the host and the add-in see the same instances.
namespace detail {
std::shared_ptr<Form> findShared(const std::string& key);
void storeShared(const std::string& key, std::shared_ptr<Form> form);
}  // namespace detail

// Takes the form out of the table, if it is there; Unload calls it.
void releaseShared(Form& form);

// Unloads every shared instance, newest first, as the user closing each
// window would (failures of Unload handlers go to the unhandled-failure
// hook). The add-in calls it before it is unloaded from the host, so that
// no form outlives the code of its class.
void unloadAllSharedForms();

template <class T>
class SharedForm {
 public:
  // The shared instance; created and loaded (its Load handler run) when
  // there is none. A failure escaping Load releases the new instance again
  // and passes to the caller.
  static std::shared_ptr<T> instance() {
    if (auto existing = detail::findShared(key())) return std::static_pointer_cast<T>(existing);
    auto form = std::make_shared<T>();
    detail::storeShared(key(), form);
    try {
      form->Load();
    } catch (...) {
      releaseShared(*form);
      throw;
    }
    return form;
  }

  // Whether the shared instance exists (without creating it).
  static bool exists() { return detail::findShared(key()) != nullptr; }

 private:
  static std::string key() { return typeid(T).name(); }
};

}  // namespace tavrello::forms
