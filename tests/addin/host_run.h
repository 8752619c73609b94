#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/host_program.h"
#include "support_lib/test_env.h"

extern char** environ;

namespace tavrello::testing {

struct HostRun {
  int status = -1;
  std::string out, err;
};

// Runs the host program built beside this test, in this test's environment
// (its fake home), and waits for it; its output goes through files in
// `scratch`.
inline HostRun runHost(const std::vector<std::string>& arguments, const std::filesystem::path& scratch) {
  const std::string program = (host::programFolder() / "tavrello").string();
  std::vector<std::string> args{program};
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::string out = (scratch / "out.txt").string(), err = (scratch / "err.txt").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  HostRun run;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = readFile(out);
  run.err = readFile(err);
  return run;
}

}  // namespace tavrello::testing
