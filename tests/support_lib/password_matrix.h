#pragma once

#include <string>
#include <vector>

namespace tavrello::testing {

// Connection-string password pairs in every way users write them. Every
// password holds kPasswordMark, so that an output can be searched for any
// piece of any of them at once; nothing else in a test may hold the mark.
inline constexpr const char* kPasswordMark = "s3cret";

struct PasswordCase {
  std::string label;
  std::string pair;      // as written in the connection string
  std::string password;  // what the driver is given
};

// The last case ends the string without a ';'.
inline std::vector<PasswordCase> passwordMatrix() {
  return {
      {"PWD=", "PWD=Plain-s3cret;", "Plain-s3cret"},
      {"Pwd =", "Pwd = Spaced-s3cret ;", "Spaced-s3cret"},
      {"Password=", "Password=Long-s3cret;", "Long-s3cret"},
      {"braced", "PWD={Br;a=ce}}d-s3cret};", "Br;a=ce}d-s3cret"},
      {"double quoted", "Password=\"Quo;ted\"\"-s3cret\";", "Quo;ted\"-s3cret"},
      {"single quoted", "pwd='Sin;gle s3cret';", "Sin;gle s3cret"},
      {"at the end", "PWD=Final-s3cret", "Final-s3cret"},
  };
}

// `base` (ending in ';') with the case's pair in the middle, or at the end
// for the last case.
inline std::string withPassword(const std::string& base, const PasswordCase& c, const std::string& tail = "App=audit;") {
  if (c.pair.back() != ';') return base + tail + c.pair;
  return base + c.pair + tail;
}

}  // namespace tavrello::testing
