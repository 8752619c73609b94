#include <cstdlib>

#include "platform/system/registry.h"

namespace tavrello::sys {

namespace {

// An environment variable's value, or nothing when it is unset or empty.
std::optional<std::string> variable(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) return std::nullopt;
  return std::string(value);
}

}  // namespace

std::optional<std::string> userRegistryPath() {
  // The XDG rule: a relative XDG_CONFIG_HOME is ignored.
  if (auto config = variable("XDG_CONFIG_HOME"); config && config->front() == '/') return *config + "/tavrello/registry";
  if (auto home = variable("HOME")) return *home + "/.config/tavrello/registry";
  return std::nullopt;
}

std::string machineRegistryPath() {
  // TAVRELLO_MACHINE_REGISTRY names another machine hive file, for tests and
  // for installations that keep their configuration elsewhere.
  if (auto file = variable("TAVRELLO_MACHINE_REGISTRY")) return *file;
  return "/etc/tavrello/registry";
}

}  // namespace tavrello::sys
