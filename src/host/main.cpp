#include <cstdio>
#include <string_view>

#include "tavrello/version.h"

// The workbook host. For now it only tells what it is; later it loads the
// registered add-ins and shows its window.
int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--help") {
      std::printf("tavrello %s - the Tavrello workbook host\n", tavrello::version::kText);
      return 0;
    }
  }
  std::printf("tavrello %s\n", tavrello::version::kText);
  return 0;
}
