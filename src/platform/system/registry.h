#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system/failure.h"

// The registry store: the per-user hive HKEY_CURRENT_USER, kept in a text file
// under $XDG_CONFIG_HOME (default ~/.config) as tavrello/registry, and the
// machine hive HKEY_LOCAL_MACHINE, read-only, from /etc/tavrello/registry or
// the file named by $TAVRELLO_MACHINE_REGISTRY (tests point it elsewhere).
// The file format is described in docs/registry-format.md.
//
// The add-in was written against the Win32 registry calls, so they are offered
// here under their own names, with their own return codes, and with the same
// rules: key paths are backslash-separated and compared case-insensitively
// (ASCII letters; a key keeps the spelling it was first created with), and so
// are value names. Values are strings (REG_SZ) or 32-bit numbers (REG_DWORD);
// other types are refused with ERROR_INVALID_PARAMETER.
//
// Every call sees the other processes' writes: a hive is read again whenever
// its file changed on disk. Every write rewrites the whole file atomically
// (temporary file in the same folder, fsync, rename) with permissions 0600,
// under a lock file, so two processes never lose each other's changes and a
// crash never leaves a torn file; a batch (RegistryBatch) writes many
// changes at once, and a call that changes nothing writes nothing. The calls
// are thread-safe.
namespace tavrello::sys {

using LONG = std::int32_t;
using DWORD = std::uint32_t;
using REGSAM = DWORD;
using BYTE = std::uint8_t;

// A key handle: one of the predefined roots or a handle returned by
// RegOpenKeyExA / RegCreateKeyExA, valid until RegCloseKey.
enum class HKEY : std::uintptr_t {};

inline constexpr HKEY HKEY_CURRENT_USER = static_cast<HKEY>(0x80000001u);
inline constexpr HKEY HKEY_LOCAL_MACHINE = static_cast<HKEY>(0x80000002u);

// Value types.
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_DWORD = 4;

// Access rights, as the platform numbers them.
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// RegCreateKeyExA dispositions.
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Return codes.
inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;   // no such key or value
inline constexpr LONG ERROR_PATH_NOT_FOUND = 3;   // the hive has no location (no HOME)
inline constexpr LONG ERROR_ACCESS_DENIED = 5;    // machine hive, handle without the right, key with subkeys
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_DISK_FULL = 112;
inline constexpr LONG ERROR_MORE_DATA = 234;      // buffer too small; the size needed is returned
inline constexpr LONG ERROR_NO_MORE_ITEMS = 259;  // enumeration past the last item
inline constexpr LONG ERROR_REGISTRY_IO_FAILED = 1016;
inline constexpr LONG ERROR_KEY_DELETED = 1018;   // the key behind an open handle was deleted

// ---- Win32-style calls ------------------------------------------------------

// Opens the existing key `subKey` below `key` (null or "" opens `key` again).
// `options` is ignored. Any access mask may be asked for, also on the machine
// hive (the about box opens it with 0x2003F): the writes themselves are
// refused there. Returns ERROR_FILE_NOT_FOUND when the key does not exist;
// *result is then left untouched.
LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result);

// Opens `subKey` below `key`, creating it and any missing parent keys.
// `disposition` (may be null) receives REG_CREATED_NEW_KEY or
// REG_OPENED_EXISTING_KEY. ERROR_ACCESS_DENIED when a key would have to be
// created in the machine hive.
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result,
                     DWORD* disposition);

// Releases a handle; closing a predefined root does nothing.
LONG RegCloseKey(HKEY key);

// Reads the value `valueName` (null or "" is the key's default value).
// `type` (may be null) receives REG_SZ or REG_DWORD. With `data` null, *size
// receives the number of bytes needed. Otherwise *size is the buffer size on
// entry and the bytes written on return; a buffer that is too small gives
// ERROR_MORE_DATA with the size needed in *size. A string's data end in one
// NUL byte, which the size counts; a number's data are its 4 bytes, least
// significant first. Needs KEY_QUERY_VALUE.
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* size);

// Stores a value. For REG_SZ the data are the text's bytes, with or without a
// final NUL (one final NUL is dropped); for REG_DWORD exactly 4 bytes, least
// significant first. Needs KEY_SET_VALUE.
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size);

// Removes a value; ERROR_FILE_NOT_FOUND when there is none. Needs KEY_SET_VALUE.
LONG RegDeleteValueA(HKEY key, const char* valueName);

// Removes the key `subKey` below `key` with its values. As on the original
// platform, a key that still has subkeys is refused with ERROR_ACCESS_DENIED;
// use RegDeleteTreeA for a whole branch.
LONG RegDeleteKeyA(HKEY key, const char* subKey);

// Removes `subKey` below `key` with all its subkeys and values; with `subKey`
// null or "", removes everything below `key` but keeps `key` itself.
LONG RegDeleteTreeA(HKEY key, const char* subKey);

// The name of the index-th subkey of `key` (0, 1, ... in name order), as a
// NUL-terminated text. *nameSize is the buffer size on entry and the name's
// length without the NUL on return; ERROR_MORE_DATA when the buffer is too
// small (*nameSize then receives the name's length), ERROR_NO_MORE_ITEMS past
// the last subkey. Needs KEY_ENUMERATE_SUB_KEYS.
LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize);

// The index-th value of `key` (in the order the values were first stored):
// its name as for RegEnumKeyExA, and, when asked for, its type and data as for
// RegQueryValueExA. Needs KEY_QUERY_VALUE.
LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* type, BYTE* data,
                   DWORD* dataSize);

// ---- Typed calls ------------------------------------------------------------

// An owning key handle: closes the handle when it goes. Move-only.
class RegKey {
 public:
  RegKey() = default;
  explicit RegKey(HKEY adopted) noexcept : handle_(adopted) {}
  ~RegKey();
  RegKey(RegKey&& other) noexcept : handle_(other.release()) {}
  RegKey& operator=(RegKey&& other) noexcept;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  // Opens an existing key; nothing when it does not exist. Throws Failure on
  // any other error.
  static std::optional<RegKey> open(HKEY root, std::string_view path, REGSAM access = KEY_READ);

  // Opens a key, creating it and its missing parents. Throws Failure.
  static RegKey create(HKEY root, std::string_view path, REGSAM access = KEY_ALL_ACCESS);

  HKEY handle() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != HKEY{}; }
  // Gives up ownership; the caller closes the handle.
  HKEY release() noexcept;

  // The value as a string / number; nothing when it is missing or of the
  // other type. Throws Failure on any other error.
  std::optional<std::string> readString(std::string_view name) const;
  std::optional<std::uint32_t> readDword(std::string_view name) const;

  // Store a value. Throw Failure when it cannot be stored.
  void writeString(std::string_view name, std::string_view value);
  void writeDword(std::string_view name, std::uint32_t value);

  // Removes a value; false when there was none. Throws Failure on other errors.
  bool removeValue(std::string_view name);

  // Names of the subkeys (in name order) and of the values (in storing order).
  std::vector<std::string> subkeyNames() const;
  std::vector<std::string> valueNames() const;

 private:
  HKEY handle_{};
};

// Gathers the registry changes of this process while it lives, so that each
// hive file is written once, when the last open batch ends, instead of once
// per call: a start or a close that stores many values rewrites the file
// once, and not at all when the values were already stored. Reads within the
// batch see its changes. From its first change to its end the batch holds
// the hive's lock file, so other processes' changes wait: keep batches to a
// run of calls. Batches are process-wide (changes from other threads join
// them) and nest (an inner one joins the outermost).
class RegistryBatch {
 public:
  RegistryBatch();
  // Ends the batch if finish() did not; a failed write is then reported on
  // standard error only, and the changes are lost as a failed call's are.
  ~RegistryBatch();
  RegistryBatch(const RegistryBatch&) = delete;
  RegistryBatch& operator=(const RegistryBatch&) = delete;

  // Ends the batch now. Throws registryFailure when the write of the
  // outermost batch failed; the file is then as it was before the batch.
  void finish();

 private:
  bool open_ = true;
};

// Removes a key with everything below it; false when it did not exist.
// Throws Failure on any other error.
bool deleteKeyTree(HKEY root, std::string_view path);

// The one conversion of registry return codes into Failure: access denied
// becomes 70 "Permission denied", a missing key or location 53 / 76, a full
// disk 61, anything else 75 (the file errors, as the store is a file); the
// description names the operation and the key.
Failure registryFailure(LONG code, std::string_view operation, std::string_view keyPath);

// Where the hives live now (they follow the environment): nothing when the
// user hive has no location because neither XDG_CONFIG_HOME nor HOME is set.
std::optional<std::string> userRegistryPath();
std::string machineRegistryPath();

}  // namespace tavrello::sys
