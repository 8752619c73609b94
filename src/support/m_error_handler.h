#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "platform/system/failure.h"

// The one error reporter and the handler convention every reporting
// procedure follows.
namespace tavrello::MErrorHandler {

// Reports a failure caught in `module`.`procedure`: appends an entry to the
// error log (see error_log.h; the library name in brackets is this add-in's
// own file name, "Tavrello" for Tavrello.so) and shows the message in a modal
// box with the critical icon, an OK button and the title "Tavrello", after
// switching the host's screen updating on. Number 18 (the user interrupted)
// is logged with the message "UserCancel" and not shown. Any step that fails
// is skipped (no data folder: no entry, the box is still shown). Never throws.
void ReportError(std::string_view module, std::string_view procedure, const Failure& current) noexcept;

// Appends an entry to the error log for something the user was told that
// is no failure (number 0), such as values an import had to change. Shows
// nothing; a log that cannot be written loses the entry. Never throws.
void LogNote(std::string_view module, std::string_view procedure, const std::string& message) noexcept;

// The handler convention for the failure being handled; call only from a
// catch block. Anything that is not a Failure is turned into one (out of
// memory 7, anything else 51 with its text); unless its number is 9999 the
// description gets " (" procedure ")" appended; then ReportError.
void reportCurrentFailure(std::string_view module, std::string_view procedure) noexcept;

// Runs a procedure body under the handler convention. Returns true when a
// failure was caught and reported; the procedure then returns whatever result
// it had set so far, and its caller carries on.
template <typename Body>
bool handled(std::string_view module, std::string_view procedure, Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
    return false;
  } catch (...) {
    reportCurrentFailure(module, procedure);
    return true;
  }
}

// The same for a body that computes the procedure's result: the body's result,
// or `unset` (the type's empty value, as a procedure that had set none
// returns) when a failure was caught and reported.
template <typename T, typename Body>
T handled(std::string_view module, std::string_view procedure, T unset, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    reportCurrentFailure(module, procedure);
    return unset;
  }
}

// Sends failures that escape the add-in's event procedures (those without a
// handler of their own) to ReportError under the form's and the procedure's
// names, instead of the forms layer's default. Idempotent; undone when the
// add-in library is unloaded.
void routeUnhandledFailures();

}  // namespace tavrello::MErrorHandler
