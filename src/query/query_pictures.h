#pragma once

// The pictures of the query window's graphical buttons, by their names in
// the program's picture collection (the window's view draws them).
namespace tavrello::pictures {

inline constexpr const char* kConnect = "QueryConnect";
inline constexpr const char* kDisconnect = "QueryDisconnect";
inline constexpr const char* kManage = "QueryManage";
inline constexpr const char* kExecute = "QueryExecute";
inline constexpr const char* kPaste = "QueryPaste";
inline constexpr const char* kEmbed = "QueryEmbed";
inline constexpr const char* kOpen = "QueryOpen";
inline constexpr const char* kSave = "QuerySave";
inline constexpr const char* kClose = "QueryClose";

}  // namespace tavrello::pictures
