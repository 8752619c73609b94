#include "host/addin_library.h"

#include <filesystem>

#include <dlfcn.h>

#include "platform/system/failure.h"

namespace tavrello::host {

namespace {

constexpr std::size_t kErrorSize = 1024;

}  // namespace

SharedLibrary::SharedLibrary(const std::string& path) : path_(path), handle_(nullptr) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) throw Failure(53, "File not found: " + path);
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!handle_) {
    const char* why = dlerror();
    throw Failure(48, "Error in loading DLL: " + std::string(why ? why : path));
  }
}

SharedLibrary::~SharedLibrary() {
  if (handle_) dlclose(handle_);
}

void* SharedLibrary::symbol(const char* name) const { return dlsym(handle_, name); }

LoadedAddin::LoadedAddin(const std::string& path) : library_(path) {
  auto create = reinterpret_cast<tavrello_addin_create_fn>(library_.symbol(TAVRELLO_ADDIN_ENTRY_NAME));
  if (!create)
    throw Failure(453, "Can't find DLL entry point " + std::string(TAVRELLO_ADDIN_ENTRY_NAME) + " in " + path);
  char error[kErrorSize] = {};
  if (create(TAVRELLO_ADDIN_ABI_VERSION, &table_, error, sizeof error) != 0 || !table_.instance)
    throw Failure(429, "ActiveX component can't create object: " + path + (error[0] ? ": " + std::string(error) : ""));
  if (table_.abi_version < TAVRELLO_ADDIN_ABI_OLDEST || table_.abi_version > TAVRELLO_ADDIN_ABI_VERSION ||
      !table_.connect ||
      !table_.disconnect || !table_.destroy) {
    if (table_.destroy && table_.instance) table_.destroy(table_.instance);
    throw Failure(429, "ActiveX component can't create object: " + path +
                           ": it offers add-in interface version " + std::to_string(table_.abi_version) +
                           ", this host knows " + std::to_string(TAVRELLO_ADDIN_ABI_OLDEST) + " to " +
                           std::to_string(TAVRELLO_ADDIN_ABI_VERSION));
  }
}

LoadedAddin::~LoadedAddin() {
  if (connected_) {
    char error[kErrorSize] = {};
    table_.disconnect(table_.instance, RemoveMode::HostShutdown, error, sizeof error);
  }
  table_.destroy(table_.instance);
}

void LoadedAddin::connect(std::shared_ptr<Application> application, int connectMode) {
  if (connected_) return;
  char error[kErrorSize] = {};
  connected_ = true;
  if (table_.connect(table_.instance, applicationHandle(application), connectMode, error, sizeof error) != 0)
    throw Failure::host(error);
}

void LoadedAddin::disconnect(int removeMode) {
  if (!connected_) return;
  connected_ = false;
  char error[kErrorSize] = {};
  if (table_.disconnect(table_.instance, removeMode, error, sizeof error) != 0) throw Failure::host(error);
}

}  // namespace tavrello::host
