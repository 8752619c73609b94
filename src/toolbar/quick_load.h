#pragma once

namespace tavrello::MStandardCode {

// The toolbar's quick-load command: shows the query window (modeless,
// loading it first when it is not open) in its disconnected look and, when
// a saved connection is chosen in the toolbar's combo box, connects the
// window's builder to it as the window's Connect does. Reports its own
// failures; the steps after a failure do not run.
void QuickLoad();

}  // namespace tavrello::MStandardCode
