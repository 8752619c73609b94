#include "gui/form_renderer.h"

#include <algorithm>
#include <iostream>

#include <QFrame>
#include <QWidget>

#include "gui/basic_views.h"
#include "gui/control_view.h"
#include "gui/grid_view.h"
#include "gui/list_views.h"
#include "gui/tab_view.h"
#include "gui/widget_factory.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"

namespace tavrello::gui {
namespace {

std::string factoryName(const forms::Control& control) {
  if (control.kind() == forms::ControlKind::Custom) {
    return static_cast<const forms::CustomControl&>(control).kindName();
  }
  return forms::kindName(control.kind());
}

}  // namespace

FormRenderer::FormRenderer(forms::Form& form, QWidget* client) : client_(client) {
  for (const auto& control : form.Controls()) {
    if (ControlView* view = createView(*control, client_)) {
      views_.push_back(view);
      byName_[control->Name()] = view;
    }
  }
  placeInContainers(form);
  for (ControlView* view : views_) view->syncAll();
  showCurrentPages();
  orderTabStops(form);
}

FormRenderer::~FormRenderer() = default;

ControlView* FormRenderer::createView(forms::Control& control, QWidget* parent) {
  if (const WidgetFactory* factory = findWidgetFactory(factoryName(control))) {
    QWidget* widget = (*factory)(control, parent);
    if (widget) return new ControlView(control, widget);
  }
  switch (control.kind()) {
    case forms::ControlKind::TextBox: return new TextBoxView(static_cast<forms::TextBox&>(control), parent);
    case forms::ControlKind::CheckBox: return new CheckBoxView(static_cast<forms::CheckBox&>(control), parent);
    case forms::ControlKind::ComboBox: return new ComboBoxView(static_cast<forms::ComboBox&>(control), parent);
    case forms::ControlKind::ListBox: return new ListBoxView(static_cast<forms::ListBox&>(control), parent);
    case forms::ControlKind::CommandButton:
      return new ButtonView(static_cast<forms::CommandButton&>(control), parent);
    case forms::ControlKind::Frame: return new FrameView(static_cast<forms::Frame&>(control), parent);
    case forms::ControlKind::Label: return new LabelView(static_cast<forms::Label&>(control), parent);
    case forms::ControlKind::Image: return new ImageView(static_cast<forms::Image&>(control), parent);
    case forms::ControlKind::TabControl:
      return new TabControlView(static_cast<forms::TabControl&>(control), parent);
    case forms::ControlKind::DataGrid: return new DataGridView(static_cast<forms::DataGrid&>(control), parent);
    case forms::ControlKind::FileDialog: return nullptr;
    case forms::ControlKind::Custom: break;
  }
  std::cerr << "Tavrello: no widget for the control " << control.Name() << " of kind " << factoryName(control)
            << std::endl;
  auto* placeholder = new QFrame(parent);
  placeholder->setFrameShape(QFrame::Box);
  return new ControlView(control, placeholder);
}

void FormRenderer::placeInContainers(forms::Form& form) {
  for (ControlView* view : views_) {
    const forms::Control& control = *view->control();
    if (control.Container().empty()) continue;
    const auto container = byName_.find(control.Container());
    if (container == byName_.end()) {
      std::cerr << "Tavrello: " << form.Name() << "." << control.Name() << " names the container "
                << control.Container() << ", which has no window" << std::endl;
      continue;
    }
    view->widget()->setParent(container->second->widget());
  }
  for (ControlView* view : views_) {
    if (view->control()->kind() != forms::ControlKind::TabControl) continue;
    tabSubscriptions_.push_back(view->control()->observe([this](forms::Property property) {
      if (property == forms::Property::Tab || property == forms::Property::Tabs) showCurrentPages();
    }));
  }
}

void FormRenderer::showCurrentPages() {
  for (ControlView* view : views_) {
    const forms::Control* control = view->control();
    if (!control || control->ContainerPage() < 0) continue;
    const auto container = byName_.find(control->Container());
    if (container == byName_.end() || !container->second->control()) continue;
    const auto* tabs = dynamic_cast<const forms::TabControl*>(container->second->control());
    view->setPageShown(!tabs || tabs->Tab() == control->ContainerPage());
  }
}

void FormRenderer::orderTabStops(forms::Form&) {
  std::vector<ControlView*> stops;
  for (ControlView* view : views_) {
    if (view->control()->CanFocus()) stops.push_back(view);
    else view->widget()->setFocusPolicy(Qt::NoFocus);
  }
  std::stable_sort(stops.begin(), stops.end(), [](const ControlView* a, const ControlView* b) {
    return a->control()->TabIndex() < b->control()->TabIndex();
  });
  for (std::size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1]->widget(), stops[i]->widget());
}

QWidget* FormRenderer::widget(const std::string& controlName) const {
  const auto found = byName_.find(controlName);
  return found == byName_.end() ? nullptr : found->second->widget();
}

forms::Control* FormRenderer::controlAt(const QWidget* widget) const {
  for (const QWidget* current = widget; current && current != client_; current = current->parentWidget()) {
    for (ControlView* view : views_) {
      if (view->widget() == current) return view->control();
    }
  }
  return nullptr;
}

void FormRenderer::detach() {
  tabSubscriptions_.clear();
  for (ControlView* view : views_) view->detach();
}

}  // namespace tavrello::gui
