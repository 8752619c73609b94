#pragma once

#include <functional>

namespace tavrello {

// How the query window opens the connection manager: the connection
// profiles module installs the opener when it is part of the add-in. Without
// one, New/Edit reports that the manager is not available.
using ProfilesFormOpener = std::function<void()>;
void setProfilesFormOpener(ProfilesFormOpener opener);
const ProfilesFormOpener& profilesFormOpener();

}  // namespace tavrello
