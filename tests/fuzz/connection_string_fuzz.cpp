// Connection strings come from settings files, workbooks and the command
// line, and hold passwords. Parsing never crashes; its failures are made of
// fixed words, a key and a position, never a value; and once its passwords
// are hidden, no PWD or Password key, at any level of nesting, keeps a value.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/db/connection_string.h"
#include "platform/db/secrets.h"
#include "platform/system/failure.h"

namespace {

using tavrello::db::ConnectionString;
using tavrello::db::PasswordHiding;

bool isPasswordKey(std::string_view key) {
  return tavrello::db::sameKey(key, "pwd") || tavrello::db::sameKey(key, "password");
}

// For text that does not parse: after every password key and its '=' comes
// the mask (Mask) or nothing is left of the pair (Remove).
void checkUnparsedText(std::string_view text, PasswordHiding how) {
  std::string lower;
  for (char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (std::string_view key : {std::string_view("password"), std::string_view("pwd")}) {
    for (std::size_t at = lower.find(key); at != std::string::npos; at = lower.find(key, at + 1)) {
      if (at > 0 && std::isalnum(static_cast<unsigned char>(text[at - 1]))) continue;
      std::size_t i = at + key.size();
      while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
      if (i >= text.size() || text[i] != '=') continue;
      FUZZ_CHECK(how == PasswordHiding::Mask, "a removed password leaves no key behind");
      const std::string_view after = text.substr(i + 1);
      FUZZ_CHECK(after.substr(0, 3) == "***" && (after.size() == 3 || after[3] == ';'),
                 "a password key shows only the mask");
    }
  }
}

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }
bool endsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// `key` stands in `text` as a key: followed, after blanks, by '='.
bool isKeyOf(std::string_view key, std::string_view text) {
  if (key.empty()) return false;
  for (std::size_t at = text.find(key); at != std::string_view::npos; at = text.find(key, at + 1)) {
    std::size_t i = at + key.size();
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i < text.size() && text[i] == '=') return true;
  }
  return false;
}

// A parse failure says what is wrong in fixed words, names at most a key of
// the text, and gives a position: never a value, which may be a password.
bool madeOfFixedWordsAndAKey(std::string_view description, std::string_view text) {
  constexpr std::string_view kPrefix = "The connection string is malformed: ";
  constexpr std::string_view kAt = " at character ";
  if (!startsWith(description, kPrefix) || !endsWith(description, ".")) return false;
  std::string_view what = description.substr(kPrefix.size(), description.size() - kPrefix.size() - 1);
  const std::size_t at = what.rfind(kAt);
  if (at == std::string_view::npos) return false;
  const std::string_view position = what.substr(at + kAt.size());
  if (position.empty() || position.find_first_not_of("0123456789") != std::string_view::npos) return false;
  what = what.substr(0, at);
  if (what == "a pair has no '='" || what == "a pair has no key before '='") return true;
  struct Form {
    std::string_view before, after;
  };
  for (const Form& form : {Form{"the value of '", "' opened with a brace is not closed"},
                           Form{"the value of '", "' opened with a quote is not closed"},
                           Form{"unexpected text after the closing brace of '", "'"},
                           Form{"unexpected text after the closing quote of '", "'"}}) {
    if (what.size() < form.before.size() + form.after.size() || !startsWith(what, form.before) ||
        !endsWith(what, form.after))
      continue;
    if (isKeyOf(what.substr(form.before.size(), what.size() - form.before.size() - form.after.size()), text))
      return true;
  }
  return false;
}

// The hiding reads three levels of nesting and treats the rest as text; the
// check goes well past that, and stops where a chain of keys ("x=x=x=...")
// would make it quadratic.
constexpr int kCheckedDepth = 64;

void checkHidden(std::string_view text, PasswordHiding how, int depth) {
  if (depth > kCheckedDepth) return;
  ConnectionString parsed;
  try {
    parsed = ConnectionString::parse(text);
  } catch (const tavrello::Failure&) {
    checkUnparsedText(text, how);
    return;
  }
  for (const auto& pair : parsed.pairs()) {
    if (isPasswordKey(pair.key)) {
      FUZZ_CHECK(how == PasswordHiding::Mask, "a removed password leaves no pair behind");
      FUZZ_CHECK(pair.value == "***", "a masked password shows only the mask");
    } else if (pair.value.find('=') != std::string::npos) {
      checkHidden(pair.value, how, depth + 1);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  bool parses = true;
  try {
    const ConnectionString parsed = ConnectionString::parse(text);
    for (const std::string& secret : tavrello::db::passwordsOf(parsed)) {
      FUZZ_CHECK(!secret.empty(), "no empty secret");
    }
  } catch (const tavrello::Failure& failure) {
    parses = false;
    FUZZ_CHECK(madeOfFixedWordsAndAKey(failure.description(), text), "a failure repeats no value");
  }
  for (PasswordHiding how : {PasswordHiding::Remove, PasswordHiding::Mask}) {
    const std::string hidden = tavrello::db::hidePasswords(text, how);
    if (parses) {
      try {
        ConnectionString::parse(hidden);
      } catch (const tavrello::Failure&) {
        FUZZ_CHECK(false, "hiding the passwords keeps a connection string readable");
      }
    }
    checkHidden(hidden, how, 0);
    FUZZ_CHECK(tavrello::db::hidePasswords(hidden, how) == hidden || how == PasswordHiding::Remove,
               "masking twice changes nothing");
  }
  return 0;
}
