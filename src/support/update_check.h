#pragma once

#include <optional>
#include <string>

// The toolbar's update check: it reads the version published on the maker's
// web site and tells the user whether a newer Tavrello is available. Nothing
// is downloaded or installed; the user is pointed to the web site.
namespace tavrello::MStandardCode {

// The version page. Its 13th character is the published major version and
// its 15th and 16th characters the minor version; the rest is ignored.
inline constexpr const char* kVersionPageUrl = "http://www.varnocksystems.com/ApplicationVersion.html";

// Fetches the page at `url` with the agent "VB Project", past every cache,
// and returns the whole body, whatever the HTTP status. Returns the empty
// text when the address cannot be used, the server cannot be reached or the
// transfer breaks off, without a message. Other failures are reported under
// "MStandardCode"."OpenURL" and also give the empty text.
std::string OpenURL(const std::string& url);

// Downloads the version page and compares it with this build's version
// (tavrello/version.h). Shows, titled "Tavrello" with an OK button: the
// major-update message (no icon) when the published major is higher; else
// the minor-update message (no icon) when the published major is at least
// ours and the minor higher; else "Tavrello is uptodate" (information icon).
// A page whose fields are not numbers, an empty one included, is reported
// under "MStandardCode"."Check_App_Version" ("Type mismatch") and no update
// message is shown.
void Check_App_Version();

// For tests only: while an object lives, the update check fetches its page
// from `url` instead of the maker's site. The product has no setting for it.
class ScopedVersionPageForTests {
 public:
  explicit ScopedVersionPageForTests(std::string url);
  ~ScopedVersionPageForTests();
  ScopedVersionPageForTests(const ScopedVersionPageForTests&) = delete;
  ScopedVersionPageForTests& operator=(const ScopedVersionPageForTests&) = delete;

 private:
  std::optional<std::string> previous_;
};

}  // namespace tavrello::MStandardCode
