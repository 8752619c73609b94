#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system/registry_hive.h"

// The text form of a hive, as docs/registry-format.md describes it:
//
//   ; comment
//   [Software\VB and VBA Program Settings\VarnockSystems\Tavrello\CommandBarSettings]
//   Visible=sz:Y
//   Position=dword:00000004
//
// Names and texts are percent-escaped where a byte would break the line
// structure, so any byte sequence survives a round trip.
namespace tavrello::sys::registry {

struct UnreadableLine {
  std::size_t number;  // counted from 1
  std::string reason;
};

struct ParsedHive {
  Hive hive;
  // Lines that were skipped; every other line's key or value is in `hive`.
  std::vector<UnreadableLine> unreadable;
};

// Reads a hive file's bytes. Never fails: an unreadable line is skipped and
// listed, and the values under an unreadable key line are skipped with it.
ParsedHive parseHive(std::string_view bytes);

// The whole file for a hive, beginning with `comment` as a comment line.
std::string formatHive(const Hive& hive, std::string_view comment);

}  // namespace tavrello::sys::registry
