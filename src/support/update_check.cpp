#include "support/update_check.h"

#include <cstdint>

#include "platform/forms/dialog_service.h"
#include "platform/system/failure.h"
#include "platform/system/http_get.h"
#include "support/m_error_handler.h"
#include "support/maker_site.h"
#include "support/number_text.h"
#include "tavrello/version.h"

namespace tavrello::MStandardCode {

namespace {

constexpr const char* kModule = "MStandardCode";
constexpr const char* kUserAgent = "VB Project";

std::optional<std::string>& versionPageOverride() {
  static std::optional<std::string> url;
  return url;
}

// Mid(text, start, length) with `start` counted from 1: the characters that
// are there, possibly fewer than asked for, or none.
std::string_view field(std::string_view text, std::size_t start, std::size_t length) {
  if (start - 1 >= text.size()) return {};
  return text.substr(start - 1, length);
}

std::string updateMessage(const char* kind) {
  return std::string("There is a new version (") + kind + ") of Tavrello available for download.\r" +
         "When you can, Please go to " + kMakerSiteUrl + " to download it.";
}

}  // namespace

std::string OpenURL(const std::string& url) {
  return MErrorHandler::handled(kModule, "OpenURL", std::string(), [&] {
    try {
      return sys::httpGet({url, kUserAgent});
    } catch (const Failure&) {
      // An unreachable site is an expected outcome, told by the empty page.
      return std::string();
    }
  });
}

void Check_App_Version() {
  MErrorHandler::handled(kModule, "Check_App_Version", [] {
    const std::string page = OpenURL(versionPageOverride().value_or(kVersionPageUrl));
    const std::int32_t major = wholeNumberFromText(field(page, 13, 1));
    const std::int32_t minor = wholeNumberFromText(field(page, 15, 2));
    if (major > version::kMajor) {
      forms::MsgBox(updateMessage("Major Update"), forms::MsgButtons::OkOnly, forms::MsgIcon::None, kAppTitle);
    } else if (major >= version::kMajor && minor > version::kMinor) {
      forms::MsgBox(updateMessage("Minor Update"), forms::MsgButtons::OkOnly, forms::MsgIcon::None, kAppTitle);
    } else {
      forms::MsgBox("Tavrello is uptodate", forms::MsgButtons::OkOnly, forms::MsgIcon::Information, kAppTitle);
    }
  });
}

ScopedVersionPageForTests::ScopedVersionPageForTests(std::string url) : previous_(versionPageOverride()) {
  versionPageOverride() = std::move(url);
}

ScopedVersionPageForTests::~ScopedVersionPageForTests() { versionPageOverride() = previous_; }

}  // namespace tavrello::MStandardCode
