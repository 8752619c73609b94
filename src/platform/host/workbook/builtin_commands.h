#pragma once

#include <string_view>
#include <vector>

namespace tavrello::host {

class WorkbookApplication;

// A command of the host's own that its built-in buttons run: the host's
// built-in bars carry them, and Controls.Add with the command's id copies
// one onto any bar.
struct BuiltInCommand {
  int id;
  std::string_view caption;
  int faceId;
  // The built-in bar that carries the command.
  std::string_view bar;
  void (*run)(WorkbookApplication& app);
};

// The built-in bars, in the host's order, and their commands.
const std::vector<std::string_view>& builtInBarNames();
const std::vector<BuiltInCommand>& builtInCommands();
const BuiltInCommand* findBuiltInCommand(int id);

}  // namespace tavrello::host
