#include "platform/system/failure.h"

#include <cerrno>
#include <cstring>

namespace tavrello {

std::string Failure::toString() const {
  return "Error " + std::to_string(number_) + ": " + description_;
}

Failure Failure::userCancel() { return {18, "User interrupt occurred"}; }
Failure Failure::alreadyReported(std::string d) { return {failure_number::kAlreadyReported, std::move(d)}; }
Failure Failure::invalidCall(std::string d) {
  return {5, d.empty() ? "Invalid procedure call or argument" : std::move(d)};
}
Failure Failure::overflow() { return {6, "Overflow"}; }
Failure Failure::subscriptOutOfRange() { return {9, "Subscript out of range"}; }
Failure Failure::typeMismatch() { return {13, "Type mismatch"}; }
Failure Failure::objectNotSet() { return {91, "Object variable or With block variable not set"}; }
Failure Failure::host(std::string d) {
  return {failure_number::kHost, d.empty() ? "Application-defined or object-defined error" : std::move(d)};
}

Failure Failure::fromErrno(int error, std::string_view operation, std::string_view path) {
  std::int32_t number = 75;  // Path/File access error
  switch (error) {
    case ENOENT: number = 53; break;
    case ENOTDIR: number = 76; break;
    case EACCES:
    case EPERM:
    case EROFS: number = 70; break;
    case ENOSPC:
    case EDQUOT: number = 61; break;
    default: break;
  }
  std::string text(operation);
  text += " '";
  text += path;
  text += "': ";
  text += std::strerror(error);
  return {number, std::move(text)};
}

}  // namespace tavrello
