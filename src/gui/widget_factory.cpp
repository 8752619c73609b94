#include "gui/widget_factory.h"

#include <map>

namespace tavrello::gui {
namespace {

std::map<std::string, WidgetFactory>& factories() {
  static std::map<std::string, WidgetFactory> table;
  return table;
}

}  // namespace

void registerWidgetFactory(std::string kindName, WidgetFactory factory) {
  factories()[std::move(kindName)] = std::move(factory);
}

const WidgetFactory* findWidgetFactory(const std::string& kindName) {
  const auto found = factories().find(kindName);
  return found == factories().end() ? nullptr : &found->second;
}

}  // namespace tavrello::gui
