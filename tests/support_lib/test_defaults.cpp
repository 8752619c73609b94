#include <cstdlib>

// Windows draw offscreen, artefacts land in the build tree and the source tree
// is known, whether a test runs under CTest or by hand. Variables set by the
// caller win.
namespace {

struct TestDefaults {
  TestDefaults() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("TAVRELLO_TEST_ARTEFACTS", TAVRELLO_TEST_ARTEFACTS_DIR, 0);
    setenv("TAVRELLO_SOURCE_DIR", TAVRELLO_TEST_SOURCE_DIR, 0);
  }
};

const TestDefaults defaults;

}  // namespace
