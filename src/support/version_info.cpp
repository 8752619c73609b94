#include "tavrello/version.h"

// Keeps the add-in library non-empty until its modules land.
extern "C" const char* tavrello_addin_version() { return tavrello::version::kText; }
