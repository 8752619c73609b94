#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace tavrello {

// The words the query window refuses to run a statement with, in the order
// they are tested: a statement whose first six characters, in upper case,
// are one of them is refused. There is no word boundary, so "UPDATES" counts
// as UPDATE; DROP, ALTER, EXEC and the like are let through on purpose.
inline constexpr std::string_view kBlockedKeywords[] = {"INSERT", "UPDATE", "DELETE", "CREATE"};

// The statements of a batch: the pieces between the semicolons that stand
// outside quoted text ('...', "...", `...`, [...]) and outside comments
// (-- to the end of the line, /* ... */). A quote or comment left open runs
// to the end of the text. The pieces keep their blanks and comments.
std::vector<std::string_view> splitStatements(std::string_view text);

// The text after its leading blanks and comments.
std::string_view skipBlanksAndComments(std::string_view text);

// The first blocked keyword found: each statement of the batch in order,
// past its leading blanks and comments, against each keyword in order.
// Nothing when every statement may run.
std::optional<std::string_view> firstBlockedKeyword(std::string_view text);

}  // namespace tavrello
