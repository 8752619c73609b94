#pragma once

#include <string>

// How Tavrello names itself and its maker to the user: the title of its
// message boxes and the maker's web addresses, which the toolbar, the update
// check and the web links show or open.
namespace tavrello {

inline constexpr const char* kAppTitle = "Tavrello";

inline const std::string kMakerSiteUrl = "http://www.varnocksystems.com";

// The support page; its query keys and values are in the order the site's
// content system expects.
inline const std::string kSupportPageUrl =
    "http://www.varnocksystems.com/index.php?option=com_content&task=category&sectionid=3&id=7&Itemid=25";

}  // namespace tavrello
