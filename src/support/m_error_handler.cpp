#include "support/m_error_handler.h"

#include <new>
#include <string>

#include "addin/m_globals.h"
#include "platform/forms/dialog_service.h"
#include "platform/forms/events.h"
#include "platform/system/clock.h"
#include "platform/system/file_append.h"
#include "platform/system/library_file.h"
#include "support/error_log.h"
#include "support/maker_site.h"

namespace tavrello::MErrorHandler {

namespace {

constexpr const char* kUserCancelMessage = "UserCancel";

// A function of this library that no other library can interpose: the
// address of an exported one may resolve to another loaded copy.
void anchorInThisLibrary() {}

// This library's file name without extension, found at run time so that a
// renamed library logs under its own name.
std::string libraryName() {
  std::string name = sys::libraryFileStem(reinterpret_cast<const void*>(&anchorInThisLibrary));
  return name.empty() ? std::string(kAppTitle) : name;
}

// The failure being handled, as a Failure.
Failure currentFailure() {
  try {
    throw;
  } catch (const Failure& failure) {
    return failure;
  } catch (const std::bad_alloc&) {
    return Failure(7, "Out of memory");
  } catch (const std::exception& e) {
    return Failure(51, e.what());
  } catch (...) {
    return Failure(51, "Internal error");
  }
}

void writeLogEntry(std::string_view module, std::string_view procedure, std::int32_t number,
                   const std::string& message) {
  const std::string path = errorLogPath();
  if (path.empty()) return;
  sys::appendToFile(path, formatErrorLogEntry(sys::now(), libraryName(), module, procedure, number, message));
}

}  // namespace

void ReportError(std::string_view module, std::string_view procedure, const Failure& current) noexcept {
  try {
    const std::int32_t number = current.number();
    const std::string message = number == failure_number::kUserCancel ? kUserCancelMessage : current.description();
    try {
      writeLogEntry(module, procedure, number, message);
    } catch (...) {
      // A missing folder, a locked file or a full disk loses the entry only.
    }
    if (number == failure_number::kUserCancel) return;
    try {
      if (MGlobals::gxlApp) MGlobals::gxlApp->ScreenUpdating(true);
    } catch (...) {
      // The host may not be ready yet (reports during the connection).
    }
    forms::MsgBox(message, forms::MsgButtons::OkOnly, forms::MsgIcon::Critical, kAppTitle);
  } catch (...) {
    // The reporter is the last resort; nothing is left to tell.
  }
}

void LogNote(std::string_view module, std::string_view procedure, const std::string& message) noexcept {
  try {
    writeLogEntry(module, procedure, 0, message);
  } catch (...) {
    // As for failures: a missing folder or a full disk loses the entry only.
  }
}

void reportCurrentFailure(std::string_view module, std::string_view procedure) noexcept {
  try {
    Failure failure = currentFailure();
    if (failure.number() != failure_number::kAlreadyReported) {
      failure.setDescription(failure.description() + " (" + std::string(procedure) + ")");
    }
    ReportError(module, procedure, failure);
  } catch (...) {
    ReportError(module, procedure, Failure(7, "Out of memory"));
  }
}

void routeUnhandledFailures() {
  // Puts the previous hook back when this library is unloaded, so the forms
  // layer never calls into a library that is gone.
  struct Route {
    Route()
        : previous(forms::setUnhandledFailureHandler(
              [](const Failure& failure, const std::string& formName, const std::string& procedure) {
                ReportError(formName, procedure, failure);
              })) {}
    ~Route() { forms::setUnhandledFailureHandler(std::move(previous)); }
    forms::UnhandledFailureHandler previous;
  };
  static Route route;
}

}  // namespace tavrello::MErrorHandler
