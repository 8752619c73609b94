#include "import/result_block.h"

#include "addin/m_globals.h"

namespace tavrello {

std::shared_ptr<host::Range> ResultBlock(std::int32_t rowOffset, std::int32_t fieldCount) {
  host::Application& app = MGlobals::xlApp();
  return app.Range(requireObject(app.ActiveCell()).Offset(0, 0),
                   requireObject(app.ActiveCell()).Offset(rowOffset, fieldCount - 1));
}

}  // namespace tavrello
