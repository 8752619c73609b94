#pragma once

namespace tavrello {

class formSQLNew;

// Whether the statement an import should test the connection for.
enum class ConnectionCheck { None, RequireOpen };

// Screens the query window's statement before Execute, Paste or Embed runs
// it: an empty text, and a statement that begins (after blanks and comments,
// in any statement of a ;-separated batch) with one of the blocked keywords,
// are refused with their messages and the focus goes back to TextSQL. Then
// MGlobals::gcnDatabase is opened afresh for the chosen connection; with
// ConnectionCheck::RequireOpen a connection that did not open is refused
// too. Returns whether the operation may go on. Refusals are not failures;
// a failure of a step passes to the caller's handler.
bool RunStatementGuard(formSQLNew& form, ConnectionCheck check);

}  // namespace tavrello
