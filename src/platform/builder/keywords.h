#pragma once

#include <string_view>

namespace tavrello::builder {

// Words that end an expression or a name list in some clause, so they are
// never taken as a bare column, table or alias name. A name that is one of
// them must be quoted. upperWord is compared as given (upper case).
bool isReservedWord(std::string_view upperWord);

// Function names the builder writes in upper case (COUNT, COALESCE, ...).
// The parser stores them upper-cased, so formatting never changes the query.
bool isUpperCasedFunction(std::string_view upperWord);

// Values written as bare words without parentheses (CURRENT_DATE, ...):
// upper-cased like keywords, and a column of that name must be quoted.
bool isNiladicValue(std::string_view upperWord);

// The aggregate functions the columns pane offers.
bool isAggregateFunction(std::string_view upperWord);

// True when a name must be quoted to be read back as the same name: it is
// empty, is not a plain word, or is a reserved word or a niladic value.
bool needsQuoting(std::string_view name);

}  // namespace tavrello::builder
