#include "platform/db/db_failure.h"

namespace tavrello::db {

Failure objectClosed() {
  return {failure_number::kObjectClosed, "Operation is not allowed when the object is closed."};
}

Failure objectOpen() {
  return {failure_number::kObjectOpen, "Operation is not allowed when the object is open."};
}

Failure invalidConnection() {
  return {failure_number::kInvalidConnection,
          "The connection cannot be used to perform this operation. It is either closed or invalid in this "
          "context."};
}

Failure noCurrentRecord() {
  return {failure_number::kNoCurrentRecord,
          "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a "
          "current record."};
}

Failure itemNotFound() {
  return {failure_number::kItemNotFound,
          "Item cannot be found in the collection corresponding to the requested name or ordinal."};
}

Failure badArguments(const std::string& detail) {
  std::string text =
      "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another.";
  if (!detail.empty()) text += " " + detail;
  return {failure_number::kArguments, std::move(text)};
}

}  // namespace tavrello::db
