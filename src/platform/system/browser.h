#pragma once

#include <string_view>

namespace tavrello::sys {

// Hands a URL to the user's browser through xdg-open, without waiting and
// without a shell, the way the shell's "Open" verb does on the platform the
// add-in was written for. Returns whether xdg-open could be started; callers
// ignore it, as nothing tells whether a browser showed the page. Refuses an
// empty URL and one starting with "-", which the opener would take for an
// option.
//
// TAVRELLO_URL_OPENER names another program to use instead of xdg-open (tests
// point it at a script that records its argument).
bool openUrlInBrowser(std::string_view url);

}  // namespace tavrello::sys
