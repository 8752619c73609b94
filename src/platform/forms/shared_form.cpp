#include "platform/forms/shared_form.h"

#include <utility>
#include <vector>

namespace tavrello::forms {
namespace {

// In creation order, so that unloading all of them goes newest first.
std::vector<std::pair<std::string, std::shared_ptr<Form>>>& table() {
  static std::vector<std::pair<std::string, std::shared_ptr<Form>>> forms;
  return forms;
}

}  // namespace

namespace detail {

std::shared_ptr<Form> findShared(const std::string& key) {
  for (const auto& [name, form] : table()) {
    if (name == key) return form;
  }
  return nullptr;
}

void storeShared(const std::string& key, std::shared_ptr<Form> form) { table().emplace_back(key, std::move(form)); }

}  // namespace detail

void releaseShared(Form& form) {
  auto& forms = table();
  for (auto it = forms.begin(); it != forms.end(); ++it) {
    if (it->second.get() == &form) {
      // Destroyed, if this was the last owner, only after it left the table.
      const auto released = std::move(it->second);
      forms.erase(it);
      return;
    }
  }
}

void unloadAllSharedForms() {
  while (!table().empty()) {
    const auto form = table().back().second;
    asUserAction(form.get(), [&] { form->Unload(); });
    // An Unload handler that fails before the form is unloaded leaves it in
    // the table; it goes anyway.
    releaseShared(*form);
  }
}

}  // namespace tavrello::forms
