#pragma once

namespace tavrello {

// What the query window and the connection manager show when reading the
// saved connections fails while they open: three lines joined by a single
// carriage return, an OK button, no icon, titled "Tavrello". The failure is
// reported afterwards by the caller.
void showInstallationMessage();

}  // namespace tavrello
