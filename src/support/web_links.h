#pragma once

namespace tavrello::MStandardCode {

// Opens the maker's support page (kSupportPageUrl) in the user's browser and
// returns at once. Whether a browser could be started is not examined: with
// none, nothing is shown or reported. Other failures are reported under
// "MStandardCode"."ShowTavrelloWebPage".
void ShowTavrelloWebPage();

}  // namespace tavrello::MStandardCode
