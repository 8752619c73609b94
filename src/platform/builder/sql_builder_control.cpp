#include "platform/builder/sql_builder_control.h"

#include <any>

namespace tavrello::builder {

SQLBuilderControl::SQLBuilderControl(forms::Form* form, std::string name)
    : forms::CustomControl(form, std::move(name), kKindName) {
  builder_.OnSQLChanged.connect([this] {
    notifyChanged();
    raiseEvent("OnSQLChanged");
  });
  builder_.OnViewChanged.connect([this] { notifyChanged(); });
  builder_.ExpressionEditRequest.connect([this](Expression& expression) {
    std::any args = &expression;
    raiseEvent("ExpressionEditRequest", &args);
  });
}

}  // namespace tavrello::builder
