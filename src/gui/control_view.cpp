#include "gui/control_view.h"

#include "gui/fonts.h"
#include "gui/twips.h"
#include "platform/forms/form.h"

namespace tavrello::gui {

ControlView::ControlView(forms::Control& control, QWidget* widget)
    : QObject(widget), control_(&control), widget_(widget) {
  subscription_ = control.observe([this](forms::Property property) { sync(property); });
}

ControlView::~ControlView() = default;

void ControlView::detach() {
  subscription_.reset();
  control_ = nullptr;
}

void ControlView::syncAll() {
  for (auto property : {forms::Property::Geometry, forms::Property::Enabled, forms::Property::Visible,
                        forms::Property::Font, forms::Property::ToolTipText}) {
    sync(property);
  }
  for (auto property : {forms::Property::Style, forms::Property::Caption, forms::Property::Picture,
                        forms::Property::Columns, forms::Property::Tabs, forms::Property::List,
                        forms::Property::Text, forms::Property::Value, forms::Property::ListIndex,
                        forms::Property::Tab, forms::Property::DataSource}) {
    sync(property);
  }
}

void ControlView::setPageShown(bool shown) {
  pageShown_ = shown;
  applyVisibility();
}

void ControlView::applyVisibility() {
  if (control_ && widget_) widget_->setVisible(control_->Visible() && pageShown_);
}

void ControlView::sync(forms::Property property) {
  if (!control_ || !widget_) return;
  Updating updating(*this);
  switch (property) {
    case forms::Property::Geometry:
      widget_->setGeometry(toPixels(control_->Left()), toPixels(control_->Top()), toPixels(control_->Width()),
                           toPixels(control_->Height()));
      break;
    case forms::Property::Enabled:
      widget_->setEnabled(control_->Enabled());
      break;
    case forms::Property::Visible:
      applyVisibility();
      break;
    case forms::Property::Font:
      widget_->setFont(toQFont(control_->Font()));
      break;
    case forms::Property::ToolTipText:
      widget_->setToolTip(QString::fromStdString(control_->ToolTipText()));
      break;
    case forms::Property::Focus:
      if (control_->Parent() && control_->Parent()->ActiveControl() == control_ && !widget_->hasFocus()) {
        widget_->setFocus(Qt::OtherFocusReason);
      }
      break;
    default:
      break;
  }
  syncOwn(property);
}

}  // namespace tavrello::gui
