#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace tavrello {

// The one exception type of the system: a signed 32-bit number and a
// description, like the error object of the platform the add-in was written
// for. Platform code throws it with the number and text its component would
// give (database failures carry the driver's message); add-in code catches it
// through the handler convention and reports it.
//
// The numbers the add-in relies on are the platform's own and appear in the
// error log, so they are kept: 18 is a user interruption, 9999 marks a failure
// that has already been reported, 1004 is the host's "application-defined"
// failure, and database layers give negative numbers.
class Failure : public std::exception {
 public:
  Failure(std::int32_t number, std::string description)
      : number_(number), description_(std::move(description)) {}

  std::int32_t number() const noexcept { return number_; }
  const std::string& description() const noexcept { return description_; }
  void setDescription(std::string description) { description_ = std::move(description); }

  // "Error N: description", for test failures and diagnostics.
  std::string toString() const;
  const char* what() const noexcept override { return description_.c_str(); }

  // Named constructors for the platform's standard failures.
  static Failure userCancel();                    // 18 "User interrupt occurred"
  static Failure alreadyReported(std::string d);  // 9999, description passed through
  static Failure invalidCall(std::string d = {}); // 5 "Invalid procedure call or argument"
  static Failure overflow();                      // 6 "Overflow"
  static Failure subscriptOutOfRange();           // 9 "Subscript out of range"
  static Failure typeMismatch();                  // 13 "Type mismatch"
  static Failure objectNotSet();                  // 91 "Object variable or With block variable not set"
  static Failure host(std::string d = {});        // 1004, the host's object-model failure

  // The file system's failures, converted in this one place: errno becomes
  // the platform's file error numbers (53 not found, 70 permission denied,
  // 61 disk full, 76 path not found, 75 other access errors), and the
  // description names the operation and the path.
  static Failure fromErrno(int error, std::string_view operation, std::string_view path);

 private:
  std::int32_t number_;
  std::string description_;
};

namespace failure_number {
inline constexpr std::int32_t kUserCancel = 18;
inline constexpr std::int32_t kAlreadyReported = 9999;
inline constexpr std::int32_t kHost = 1004;
}  // namespace failure_number

// What `object` points at; Failure 91 when it points at nothing, as using an
// object variable that holds Nothing fails (a host with no workbook open has
// no active cell, for one).
template <class T>
T& requireObject(const std::shared_ptr<T>& object) {
  if (!object) throw Failure::objectNotSet();
  return *object;
}

}  // namespace tavrello
