#pragma once

#include <string>

namespace tavrello::testing {

// The import's refusals when the result does not fit the grid, word for word.
inline const std::string kNoRowsLeft =
    "Not able to import the data as there are not sufficient available rows (from the selected cell) for the "
    "recordset";
inline const std::string kNoColumnsLeft =
    "Not able to import the data as there are not sufficient available columns (from the selected cell) for the "
    "recordset";

}  // namespace tavrello::testing
