#pragma once

// The boundary between the workbook host and an add-in library it loads.
//
// The host and its add-ins are built separately, so they meet through one C
// entry point and a versioned table of calls, never through C++ symbols: the
// host dlopen()s the registered library, looks up TAVRELLO_ADDIN_ENTRY_NAME
// and asks it to fill a tavrello_addin table for the newest version the host
// knows. A later version only appends members; each side reads no member
// beyond the version the other side gave. The application object crosses
// the boundary as an opaque handle that the add-in turns back into the
// std::shared_ptr<tavrello::host::Application> it keeps (both sides compile
// the same host interface headers; a change to them that breaks their layout
// raises TAVRELLO_ADDIN_ABI_VERSION).
//
// No exception crosses the boundary: a failure is reported as a non-zero
// result with its text in the caller's buffer.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>

extern "C" {

// Version 2: the host interface headers changed layout (Range's
// CopyFromRecordset says what it changed, QueryTable has
// LastRefreshChanges); the table itself is that of version 1.
#define TAVRELLO_ADDIN_ABI_VERSION 2u
// The oldest version built against the host interface headers as they are
// now: a library of an older one would call into objects laid out otherwise,
// so neither side accepts it.
#define TAVRELLO_ADDIN_ABI_OLDEST 2u
#define TAVRELLO_ADDIN_ENTRY_NAME "tavrello_addin_create"

// Opaque handle of the host's application object.
typedef struct tavrello_application tavrello_application;

typedef struct tavrello_addin {
  // The table version the add-in filled in (at most the host's).
  std::uint32_t abi_version;
  // The add-in's connection object; passed back to every call.
  void* instance;

  // Version 1 (and 2).
  // The connect call: the add-in keeps the application object. connect_mode
  // is 1 at the host's start-up and 0 when the user enables the add-in
  // later. Returns 0, or non-zero with the failure's text in error.
  int (*connect)(void* instance, tavrello_application* application, int connect_mode, char* error,
                 std::size_t error_size);
  // The disconnect call: remove_mode is 0 when the host exits and 1 when the
  // user disables the add-in. Returns 0, or non-zero with text in error.
  int (*disconnect)(void* instance, int remove_mode, char* error, std::size_t error_size);
  // Releases the connection object; the table is not used afterwards.
  void (*destroy)(void* instance);
} tavrello_addin;

// The entry point every add-in exports. Fills *addin for the newest version
// it shares with the host (host_abi_version) and returns 0; returns
// non-zero, with text in error, when it cannot serve that host.
typedef int (*tavrello_addin_create_fn)(std::uint32_t host_abi_version, tavrello_addin* addin, char* error,
                                         std::size_t error_size);

}  // extern "C"

// Marks an add-in's entry point as exported from its library.
#define TAVRELLO_ADDIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace tavrello::host {

class Application;

// How the host connects and disconnects an add-in, numbered as the add-in
// platform numbers them.
namespace ConnectMode {
inline constexpr int AfterStartup = 0;
inline constexpr int Startup = 1;
}  // namespace ConnectMode
namespace RemoveMode {
inline constexpr int HostShutdown = 0;
inline constexpr int UserClosed = 1;
}  // namespace RemoveMode

// What an add-in's connection class implements. The host calls it on its
// user-interface thread. A failure thrown from either call is reported by the
// host and the add-in stays loaded.
class AddinConnection {
 public:
  virtual ~AddinConnection() = default;
  virtual void AddinInstance_OnConnection(const std::shared_ptr<Application>& application, int connectMode) = 0;
  virtual void AddinInstance_OnDisconnection(int removeMode) = 0;
};

// The handle the host passes for its application object, and back.
inline tavrello_application* applicationHandle(std::shared_ptr<Application>& application) {
  return reinterpret_cast<tavrello_application*>(&application);
}
inline std::shared_ptr<Application> applicationFromHandle(tavrello_application* handle) {
  return handle ? *reinterpret_cast<std::shared_ptr<Application>*>(handle) : nullptr;
}

namespace addin_detail {

inline void copyText(const char* text, char* out, std::size_t size) {
  if (!out || size == 0) return;
  std::strncpy(out, text, size - 1);
  out[size - 1] = '\0';
}

template <class Call>
int guarded(Call&& call, char* error, std::size_t errorSize) {
  try {
    call();
    return 0;
  } catch (const std::exception& e) {
    copyText(e.what(), error, errorSize);
  } catch (...) {
    copyText("unknown failure", error, errorSize);
  }
  return 1;
}

}  // namespace addin_detail

// Fills the table for connection class T (an AddinConnection with a default
// constructor). An add-in's entry point is then one line:
//   TAVRELLO_ADDIN_EXPORT int tavrello_addin_create(std::uint32_t v, tavrello_addin* a, char* e, std::size_t n)
//   { return tavrello::host::createAddin<MyConnection>(v, a, e, n); }
template <class T>
int createAddin(std::uint32_t hostAbiVersion, tavrello_addin* addin, char* error, std::size_t errorSize) {
  if (hostAbiVersion < TAVRELLO_ADDIN_ABI_OLDEST || !addin) {
    addin_detail::copyText("the host offers no add-in interface this add-in knows", error, errorSize);
    return 1;
  }
  std::unique_ptr<T> instance;
  int result = addin_detail::guarded([&] { instance = std::make_unique<T>(); }, error, errorSize);
  if (result != 0) return result;
  addin->abi_version = hostAbiVersion < TAVRELLO_ADDIN_ABI_VERSION ? hostAbiVersion : TAVRELLO_ADDIN_ABI_VERSION;
  addin->connect = [](void* self, tavrello_application* app, int mode, char* err, std::size_t n) {
    return addin_detail::guarded(
        [&] { static_cast<T*>(self)->AddinInstance_OnConnection(applicationFromHandle(app), mode); }, err, n);
  };
  addin->disconnect = [](void* self, int mode, char* err, std::size_t n) {
    return addin_detail::guarded([&] { static_cast<T*>(self)->AddinInstance_OnDisconnection(mode); }, err, n);
  };
  addin->destroy = [](void* self) { std::unique_ptr<T> owned(static_cast<T*>(self)); };
  addin->instance = instance.release();
  return 0;
}

}  // namespace tavrello::host
