#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/builder/query_builder.h"
#include "platform/forms/custom_control.h"

namespace tavrello::builder {

// The query builder as a control of a form (the query window's SQLBuilder).
// It owns the component and offers the members the window calls, named as
// the window calls them; the widget that draws it is registered under the
// kind name "SQLBuilder".
//
// Events reach the form's handler table under their own names:
// "OnSQLChanged" without arguments, and "ExpressionEditRequest" with an
// argument that holds a builder::Expression* (the handler reads and writes
// its ExpressionText). The views are told of every change of the statement,
// the catalog or the part shown (Property::Custom).
class SQLBuilderControl : public forms::CustomControl {
 public:
  static constexpr const char* kKindName = "SQLBuilder";

  SQLBuilderControl(forms::Form* form, std::string name);

  void Reset() { builder_.Reset(); }
  const std::string& ConnectionString() const { return builder_.ConnectionString(); }
  void ConnectionString(std::string connectionString) { builder_.ConnectionString(std::move(connectionString)); }
  void Connect() { builder_.Connect(); }
  void Disconnect() { builder_.Disconnect(); }
  bool Connected() const { return builder_.Connected(); }
  bool HasConnected() const { return builder_.HasConnected(); }
  BuilderQuery& QueryObject() { return builder_.QueryObject(); }
  void SQL(std::string_view text) { builder_.SQL(text); }
  std::string FormattedSQL() const { return builder_.FormattedSQL(); }

  // The component, for the widget.
  QueryBuilder& builder() { return builder_; }

  // Runs what the user did in the widget as a user action of the form:
  // failures of the operation and of the event handlers it raises go to the
  // error reporter instead of the widget.
  void userAction(const std::function<void()>& action) { asUser(action); }

 private:
  QueryBuilder builder_;
};

}  // namespace tavrello::builder
