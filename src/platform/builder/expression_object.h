#pragma once

#include <string>

namespace tavrello::builder {

// The object an ExpressionEditRequest hands to its handler: the text of one
// expression, which the handler may read and write back. The builder applies
// the text when the handlers return, if it was changed.
class Expression {
 public:
  explicit Expression(std::string text) : original_(text), text_(std::move(text)) {}

  const std::string& ExpressionText() const { return text_; }
  void ExpressionText(std::string text) { text_ = std::move(text); }

  bool changed() const { return text_ != original_; }

 private:
  std::string original_;
  std::string text_;
};

}  // namespace tavrello::builder
