#include <cstring>
#include <map>
#include <mutex>
#include <new>

#include "platform/system/no_destructor.h"
#include "platform/system/registry.h"
#include "platform/system/registry_store.h"

namespace tavrello::sys {

namespace {

using registry::Hive;
using registry::HiveStore;
using registry::ValueData;

inline constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;

enum class HiveId { User, Machine };

struct OpenKey {
  HiveId hive;
  std::string path;
  REGSAM access;
};

// The process-wide registry: both hives and the table of open handles.
class Registry {
 public:
  static Registry& instance() {
    static NoDestructor<Registry> registry;
    return registry.get();
  }

  std::mutex mutex;

  HiveStore& store(HiveId id) { return id == HiveId::User ? user_ : machine_; }

  // The key behind a handle, or nothing for an unknown handle.
  std::optional<OpenKey> resolve(HKEY key) const {
    if (key == HKEY_CURRENT_USER) return OpenKey{HiveId::User, {}, KEY_ALL_ACCESS};
    if (key == HKEY_LOCAL_MACHINE) return OpenKey{HiveId::Machine, {}, KEY_ALL_ACCESS};
    auto it = handles_.find(static_cast<std::uintptr_t>(key));
    if (it == handles_.end()) return std::nullopt;
    return it->second;
  }

  HKEY add(OpenKey key) {
    // Handles count up from 1, wrap before the predefined roots, and skip
    // those still open.
    do {
      next_ = next_ + 1 < kFirstPredefined ? next_ + 1 : 1;
    } while (handles_.contains(next_));
    handles_.emplace(next_, std::move(key));
    return static_cast<HKEY>(next_);
  }

  bool remove(HKEY key) { return handles_.erase(static_cast<std::uintptr_t>(key)) > 0; }

 private:
  friend class NoDestructor<Registry>;
  Registry()
      : user_([] { return toPath(userRegistryPath()); }, true, "Tavrello registry, HKEY_CURRENT_USER"),
        machine_([] { return std::optional<std::filesystem::path>(machineRegistryPath()); }, false,
                 "Tavrello registry, HKEY_LOCAL_MACHINE") {}

  static std::optional<std::filesystem::path> toPath(const std::optional<std::string>& path) {
    if (!path) return std::nullopt;
    return std::filesystem::path(*path);
  }

  HiveStore user_;
  HiveStore machine_;
  static constexpr std::uintptr_t kFirstPredefined = 0x80000000u;
  std::map<std::uintptr_t, OpenKey> handles_;
  std::uintptr_t next_ = 0;
};

std::string_view text(const char* s) { return s ? std::string_view(s) : std::string_view(); }

std::string joinPath(const std::string& base, std::string_view sub) {
  if (base.empty()) return std::string(sub);
  if (sub.empty()) return base;
  return base + '\\' + std::string(sub);
}

// Runs one call under the registry's lock. The calls never throw: running out
// of memory becomes its platform code.
template <typename Call>
LONG locked(Call&& call) {
  try {
    auto& registry = Registry::instance();
    std::lock_guard lock(registry.mutex);
    return call(registry);
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  } catch (...) {
    return ERROR_REGISTRY_IO_FAILED;
  }
}

// A value's bytes as the calls hand them out.
std::string encode(const ValueData& data, DWORD& type) {
  if (const auto* s = std::get_if<std::string>(&data)) {
    type = REG_SZ;
    std::string bytes = *s;
    bytes += '\0';
    return bytes;
  }
  type = REG_DWORD;
  const std::uint32_t n = std::get<std::uint32_t>(data);
  return std::string{static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF),
                     static_cast<char>((n >> 16) & 0xFF), static_cast<char>((n >> 24) & 0xFF)};
}

std::optional<ValueData> decode(DWORD type, const BYTE* data, DWORD size) {
  if (size > 0 && !data) return std::nullopt;
  if (type == REG_SZ) {
    std::string s(reinterpret_cast<const char*>(data), size);
    if (!s.empty() && s.back() == '\0') s.pop_back();
    return s;
  }
  if (type == REG_DWORD && size == 4) {
    return std::uint32_t(data[0]) | std::uint32_t(data[1]) << 8 | std::uint32_t(data[2]) << 16 |
           std::uint32_t(data[3]) << 24;
  }
  return std::nullopt;
}

// Hands out data with the buffer rules of RegQueryValueExA.
LONG copyData(const std::string& bytes, BYTE* data, DWORD* size) {
  const auto needed = static_cast<DWORD>(bytes.size());
  if (!data) {
    if (size) *size = needed;
    return ERROR_SUCCESS;
  }
  if (!size) return ERROR_INVALID_PARAMETER;
  if (*size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  std::memcpy(data, bytes.data(), bytes.size());
  *size = needed;
  return ERROR_SUCCESS;
}

// Hands out a name with the buffer rules of the enumeration calls.
LONG copyName(const std::string& name, char* buffer, DWORD* size) {
  if (!buffer || !size) return ERROR_INVALID_PARAMETER;
  if (*size < name.size() + 1) {
    *size = static_cast<DWORD>(name.size());
    return ERROR_MORE_DATA;
  }
  std::memcpy(buffer, name.data(), name.size());
  buffer[name.size()] = '\0';
  *size = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

// Hands out a value's type and bytes with the buffer rules of RegQueryValueExA.
LONG copyValue(const ValueData& value, DWORD* type, BYTE* data, DWORD* size) {
  DWORD valueType = 0;
  const std::string bytes = encode(value, valueType);
  if (type) *type = valueType;
  return copyData(bytes, data, size);
}

// The key behind a handle opened with `right`, as its hive holds it now, for
// the calls that read values.
LONG keyToRead(Registry& registry, HKEY handle, REGSAM right, const registry::Key*& key) {
  auto open = registry.resolve(handle);
  if (!open) return ERROR_INVALID_HANDLE;
  if (!(open->access & right)) return ERROR_ACCESS_DENIED;
  key = registry.store(open->hive).current().find(open->path);
  return key ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

// Changes the key behind an open handle, written through to its hive file.
// Each change checks what it needs before it changes anything, as the store
// does not copy the hive for it.
template <typename Change>
LONG changeKey(Registry& registry, const OpenKey& open, Change&& change) {
  return registry.store(open.hive).modify([&](Hive& hive) -> LONG {
    registry::Key* key = hive.find(open.path);
    if (!key) return ERROR_KEY_DELETED;
    return change(hive, *key);
  });
}

// Ends a batch in both hives; the user hive's write decides the result, as
// the machine hive takes no changes.
LONG endBatch(Registry& registry) {
  registry.store(HiveId::Machine).endBatch();
  return registry.store(HiveId::User).endBatch();
}

}  // namespace

RegistryBatch::RegistryBatch() {
  locked([](Registry& registry) -> LONG {
    registry.store(HiveId::User).beginBatch();
    registry.store(HiveId::Machine).beginBatch();
    return ERROR_SUCCESS;
  });
}

RegistryBatch::~RegistryBatch() {
  if (open_) locked(endBatch);
}

void RegistryBatch::finish() {
  if (!open_) return;
  open_ = false;
  if (const LONG rc = locked(endBatch); rc != ERROR_SUCCESS) throw registryFailure(rc, "write", "HKEY_CURRENT_USER");
}

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD, REGSAM access, HKEY* result) {
  return locked([&](Registry& registry) -> LONG {
    if (!result) return ERROR_INVALID_PARAMETER;
    auto base = registry.resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    const Hive& hive = registry.store(base->hive).current();
    if (!hive.exists(base->path)) return ERROR_KEY_DELETED;
    const std::string path = joinPath(base->path, text(subKey));
    if (!hive.exists(path)) return ERROR_FILE_NOT_FOUND;
    *result = registry.add(OpenKey{base->hive, path, access});
    return ERROR_SUCCESS;
  });
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD, REGSAM access, HKEY* result, DWORD* disposition) {
  return locked([&](Registry& registry) -> LONG {
    if (!result) return ERROR_INVALID_PARAMETER;
    auto base = registry.resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    const std::string path = joinPath(base->path, text(subKey));
    if (!registry::withinMaxDepth(path)) return ERROR_INVALID_PARAMETER;
    bool created = false;
    if (!registry.store(base->hive).current().exists(path)) {
      if (!(base->access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
      const LONG rc = changeKey(registry, *base, [&](Hive& hive, registry::Key&) {
        created = hive.create(path);
        return ERROR_SUCCESS;
      });
      if (rc != ERROR_SUCCESS) return rc;
    }
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = registry.add(OpenKey{base->hive, path, access});
    return ERROR_SUCCESS;
  });
}

LONG RegCloseKey(HKEY key) {
  return locked([&](Registry& registry) -> LONG {
    if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
    return registry.remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
  });
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* size) {
  return locked([&](Registry& registry) -> LONG {
    const registry::Key* k = nullptr;
    if (const LONG rc = keyToRead(registry, key, KEY_QUERY_VALUE, k); rc != ERROR_SUCCESS) return rc;
    const registry::Value* value = registry::findValue(*k, text(valueName));
    if (!value) return ERROR_FILE_NOT_FOUND;
    return copyValue(value->data, type, data, size);
  });
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size) {
  return locked([&](Registry& registry) -> LONG {
    auto open = registry.resolve(key);
    if (!open) return ERROR_INVALID_HANDLE;
    if (!(open->access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    auto value = decode(type, data, size);
    if (!value) return ERROR_INVALID_PARAMETER;
    return changeKey(registry, *open, [&](Hive&, registry::Key& k) {
      registry::setValue(k, text(valueName), std::move(*value));
      return ERROR_SUCCESS;
    });
  });
}

LONG RegDeleteValueA(HKEY key, const char* valueName) {
  return locked([&](Registry& registry) -> LONG {
    auto open = registry.resolve(key);
    if (!open) return ERROR_INVALID_HANDLE;
    if (!(open->access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    return changeKey(registry, *open, [&](Hive&, registry::Key& k) {
      return registry::removeValue(k, text(valueName)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
  });
}

LONG RegDeleteKeyA(HKEY key, const char* subKey) {
  return locked([&](Registry& registry) -> LONG {
    if (!subKey) return ERROR_INVALID_PARAMETER;
    auto base = registry.resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    const std::string path = joinPath(base->path, subKey);
    if (registry::splitPath(path).empty()) return ERROR_ACCESS_DENIED;
    return changeKey(registry, *base, [&](Hive& hive, registry::Key&) {
      if (!hive.exists(path)) return ERROR_FILE_NOT_FOUND;
      if (hive.hasSubkeys(path)) return ERROR_ACCESS_DENIED;
      hive.removeTree(path);
      return ERROR_SUCCESS;
    });
  });
}

LONG RegDeleteTreeA(HKEY key, const char* subKey) {
  return locked([&](Registry& registry) -> LONG {
    auto base = registry.resolve(key);
    if (!base) return ERROR_INVALID_HANDLE;
    const std::string path = joinPath(base->path, text(subKey));
    return changeKey(registry, *base, [&](Hive& hive, registry::Key& k) {
      if (text(subKey).empty()) {
        hive.removeChildren(path);
        k.values.clear();
        return ERROR_SUCCESS;
      }
      if (registry::splitPath(path).empty()) return ERROR_ACCESS_DENIED;
      return hive.removeTree(path) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
  });
}

LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize) {
  return locked([&](Registry& registry) -> LONG {
    auto open = registry.resolve(key);
    if (!open) return ERROR_INVALID_HANDLE;
    if (!(open->access & KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
    const Hive& hive = registry.store(open->hive).current();
    if (!hive.exists(open->path)) return ERROR_KEY_DELETED;
    const auto names = hive.subkeyNames(open->path);
    if (index >= names.size()) return ERROR_NO_MORE_ITEMS;
    return copyName(names[index], name, nameSize);
  });
}

LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* type, BYTE* data,
                   DWORD* dataSize) {
  return locked([&](Registry& registry) -> LONG {
    const registry::Key* k = nullptr;
    if (const LONG rc = keyToRead(registry, key, KEY_QUERY_VALUE, k); rc != ERROR_SUCCESS) return rc;
    if (index >= k->values.size()) return ERROR_NO_MORE_ITEMS;
    const registry::Value& value = k->values[index];
    if (const LONG rc = copyName(value.name, name, nameSize); rc != ERROR_SUCCESS) return rc;
    return copyValue(value.data, type, data, dataSize);
  });
}

}  // namespace tavrello::sys
