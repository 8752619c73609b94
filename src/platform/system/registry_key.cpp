#include <utility>

#include "platform/system/registry.h"

namespace tavrello::sys {

namespace {

std::string rootName(HKEY root) {
  if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (root == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  return "key";
}

std::string keyName(HKEY root, std::string_view path) {
  std::string name = rootName(root);
  if (!path.empty()) {
    name += '\\';
    name += path;
  }
  return name;
}

// Reads one value's bytes, growing the buffer when it changed in between.
LONG queryBytes(HKEY key, const std::string& name, DWORD& type, std::string& bytes) {
  DWORD size = 0;
  LONG rc = RegQueryValueExA(key, name.c_str(), &type, nullptr, &size);
  while (rc == ERROR_SUCCESS) {
    bytes.resize(size);
    rc = RegQueryValueExA(key, name.c_str(), &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
    if (rc == ERROR_SUCCESS) bytes.resize(size);
    if (rc != ERROR_MORE_DATA) break;
    rc = ERROR_SUCCESS;
  }
  return rc;
}

template <typename Enumerate>
std::vector<std::string> enumerateNames(HKEY key, Enumerate enumerate, const char* operation) {
  std::vector<std::string> names;
  std::string buffer(256, '\0');
  for (DWORD index = 0;;) {
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG rc = enumerate(key, index, buffer.data(), &size);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc == ERROR_MORE_DATA) {
      buffer.resize(size + 1);
      continue;
    }
    if (rc != ERROR_SUCCESS) throw registryFailure(rc, operation, "key");
    names.emplace_back(buffer.data(), size);
    ++index;
  }
  return names;
}

}  // namespace

RegKey::~RegKey() {
  if (handle_ != HKEY{}) RegCloseKey(handle_);
}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    if (handle_ != HKEY{}) RegCloseKey(handle_);
    handle_ = other.release();
  }
  return *this;
}

HKEY RegKey::release() noexcept { return std::exchange(handle_, HKEY{}); }

std::optional<RegKey> RegKey::open(HKEY root, std::string_view path, REGSAM access) {
  HKEY handle{};
  const LONG rc = RegOpenKeyExA(root, std::string(path).c_str(), 0, access, &handle);
  if (rc == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (rc != ERROR_SUCCESS) throw registryFailure(rc, "open", keyName(root, path));
  return RegKey(handle);
}

RegKey RegKey::create(HKEY root, std::string_view path, REGSAM access) {
  HKEY handle{};
  const LONG rc = RegCreateKeyExA(root, std::string(path).c_str(), 0, access, &handle, nullptr);
  if (rc != ERROR_SUCCESS) throw registryFailure(rc, "create", keyName(root, path));
  return RegKey(handle);
}

std::optional<std::string> RegKey::readString(std::string_view name) const {
  DWORD type = 0;
  std::string bytes;
  const LONG rc = queryBytes(handle_, std::string(name), type, bytes);
  if (rc == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (rc != ERROR_SUCCESS) throw registryFailure(rc, "read value", name);
  if (type != REG_SZ) return std::nullopt;
  if (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
  return bytes;
}

std::optional<std::uint32_t> RegKey::readDword(std::string_view name) const {
  DWORD type = 0;
  std::string bytes;
  const LONG rc = queryBytes(handle_, std::string(name), type, bytes);
  if (rc == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (rc != ERROR_SUCCESS) throw registryFailure(rc, "read value", name);
  if (type != REG_DWORD || bytes.size() != 4) return std::nullopt;
  std::uint32_t n = 0;
  for (int i = 3; i >= 0; --i) n = n << 8 | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
  return n;
}

void RegKey::writeString(std::string_view name, std::string_view value) {
  const LONG rc = RegSetValueExA(handle_, std::string(name).c_str(), REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.data()), static_cast<DWORD>(value.size()));
  if (rc != ERROR_SUCCESS) throw registryFailure(rc, "write value", name);
}

void RegKey::writeDword(std::string_view name, std::uint32_t value) {
  const BYTE bytes[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                         static_cast<BYTE>(value >> 24)};
  const LONG rc = RegSetValueExA(handle_, std::string(name).c_str(), REG_DWORD, bytes, 4);
  if (rc != ERROR_SUCCESS) throw registryFailure(rc, "write value", name);
}

bool RegKey::removeValue(std::string_view name) {
  const LONG rc = RegDeleteValueA(handle_, std::string(name).c_str());
  if (rc == ERROR_FILE_NOT_FOUND) return false;
  if (rc != ERROR_SUCCESS) throw registryFailure(rc, "delete value", name);
  return true;
}

std::vector<std::string> RegKey::subkeyNames() const {
  return enumerateNames(handle_, RegEnumKeyExA, "list the subkeys of");
}

std::vector<std::string> RegKey::valueNames() const {
  return enumerateNames(
      handle_,
      [](HKEY key, DWORD index, char* name, DWORD* size) {
        return RegEnumValueA(key, index, name, size, nullptr, nullptr, nullptr);
      },
      "list the values of");
}

bool deleteKeyTree(HKEY root, std::string_view path) {
  const LONG rc = RegDeleteTreeA(root, std::string(path).c_str());
  if (rc == ERROR_FILE_NOT_FOUND) return false;
  if (rc != ERROR_SUCCESS) throw registryFailure(rc, "delete", keyName(root, path));
  return true;
}

Failure registryFailure(LONG code, std::string_view operation, std::string_view keyPath) {
  std::int32_t number = 75;
  std::string reason;
  switch (code) {
    case ERROR_ACCESS_DENIED: number = 70; reason = "Access is denied."; break;
    case ERROR_FILE_NOT_FOUND: number = 53; reason = "The key or value does not exist."; break;
    case ERROR_PATH_NOT_FOUND: number = 76; reason = "The registry has no location (neither XDG_CONFIG_HOME nor HOME is set)."; break;
    case ERROR_DISK_FULL: number = 61; reason = "The disk is full."; break;
    case ERROR_KEY_DELETED: reason = "The key has been deleted."; break;
    case ERROR_INVALID_HANDLE: reason = "The key handle is not valid."; break;
    case ERROR_INVALID_PARAMETER: reason = "The value's type or size is not valid."; break;
    default: reason = "Registry error " + std::to_string(code) + "."; break;
  }
  std::string text(operation);
  text += " '";
  text += keyPath;
  text += "': ";
  text += reason;
  return Failure(number, std::move(text));
}

}  // namespace tavrello::sys
