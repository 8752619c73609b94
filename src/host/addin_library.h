#pragma once

#include <memory>
#include <string>

#include "platform/host/addin_entry.h"

namespace tavrello::host {

class Application;

// A shared library opened with dlopen, closed again when the object goes.
// Libraries are opened with RTLD_NODELETE: an add-in may leave callbacks in
// the platform libraries it shares with the host (forms, receivers), so its
// code stays mapped until the process ends, as an in-process server stays
// loaded until its host exits.
class SharedLibrary {
 public:
  // Opens the library; Failure 53 when the file does not exist, 48 ("Error
  // in loading DLL") with the loader's text when it cannot be loaded.
  explicit SharedLibrary(const std::string& path);
  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // The exported symbol, or nullptr.
  void* symbol(const char* name) const;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  void* handle_;
};

// One loaded add-in: its library and the connection object its entry point
// created. Destroying it releases the connection object (after the
// disconnect call, if it is still connected).
class LoadedAddin {
 public:
  // Opens the library, resolves its entry point and creates the connection
  // object. Failure 53/48 as for SharedLibrary, 453 ("Can't find DLL entry
  // point") when the library exports no entry point, 429 ("ActiveX component
  // can't create object") when the entry point refuses.
  explicit LoadedAddin(const std::string& path);
  ~LoadedAddin();
  LoadedAddin(const LoadedAddin&) = delete;
  LoadedAddin& operator=(const LoadedAddin&) = delete;

  // The connect call; the add-in keeps the application. A failure the add-in
  // reports comes back as Failure 1004 with its text; the add-in counts as
  // connected all the same (it stays loaded until disconnected).
  void connect(std::shared_ptr<Application> application, int connectMode);
  // The disconnect call, once per connection; nothing when not connected.
  // The add-in's failure comes back as for connect.
  void disconnect(int removeMode);

  bool connected() const { return connected_; }
  const std::string& path() const { return library_.path(); }

 private:
  SharedLibrary library_;
  tavrello_addin table_{};
  bool connected_ = false;
};

}  // namespace tavrello::host
