#include "support/web_links.h"

#include "platform/system/browser.h"
#include "support/m_error_handler.h"
#include "support/maker_site.h"

namespace tavrello::MStandardCode {

void ShowTavrelloWebPage() {
  MErrorHandler::handled("MStandardCode", "ShowTavrelloWebPage", [] {
    // As with the shell's "Open" verb, the result tells nothing the user
    // needs to hear about.
    static_cast<void>(sys::openUrlInBrowser(kSupportPageUrl));
  });
}

}  // namespace tavrello::MStandardCode
