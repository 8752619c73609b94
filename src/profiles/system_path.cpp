#include "profiles/system_path.h"

#include "platform/system/special_folder.h"
#include "support/m_error_handler.h"

namespace tavrello::MStandardCode {

std::string SystemPath(std::int32_t folderId) {
  return MErrorHandler::handled("MStandardCode", "SystemPath", std::string(),
                                [&] { return sys::specialFolderPath(folderId); });
}

}  // namespace tavrello::MStandardCode
