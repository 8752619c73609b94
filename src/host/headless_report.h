#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavrello::host {

class CommandBars;

// What a headless run shows in place of its window: the add-ins it
// connected and every visible command bar that is not the host's own (the
// add-ins' tool bars), with its place and its controls: a button by its
// tooltip (or caption) and face, a combo box by its entries and the one
// shown.
void reportHeadlessSession(const std::vector<std::string>& connectedAddins, const CommandBars& bars,
                           std::ostream& out);

}  // namespace tavrello::host
