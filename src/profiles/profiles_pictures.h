#pragma once

// The pictures beside the captions of the connection manager's and the
// connection editor's buttons, by their names in the program's picture
// collection (the dialogs' views draw them).
namespace tavrello::pictures {

inline constexpr const char* kProfilesAdd = "ProfilesAdd";
inline constexpr const char* kProfilesEdit = "ProfilesEdit";
inline constexpr const char* kProfilesRemove = "ProfilesRemove";
inline constexpr const char* kProfilesOK = "ProfilesOK";
inline constexpr const char* kProfilesCancel = "ProfilesCancel";
inline constexpr const char* kProfilesTakeBuilder = "ProfilesTakeBuilder";

}  // namespace tavrello::pictures
