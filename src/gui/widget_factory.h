#pragma once

#include <functional>
#include <string>

class QWidget;

namespace tavrello::forms {
class Control;
}

namespace tavrello::gui {

// Creates the widget of a special control as a child of `parent`. The widget
// keeps itself in step with the control: it observes the control's changes
// and forwards what the user does through the control's user-action methods.
// The renderer places, sizes, shows, enables and focuses it like any other.
using WidgetFactory = std::function<QWidget*(forms::Control& control, QWidget* parent)>;

// Registers the factory for a kind: a custom control's kind name (the query
// builder's), or "DataGrid" to replace the renderer's own grid. A second
// registration under the same name replaces the first.
void registerWidgetFactory(std::string kindName, WidgetFactory factory);

// The factory registered for a kind, or null.
const WidgetFactory* findWidgetFactory(const std::string& kindName);

}  // namespace tavrello::gui
