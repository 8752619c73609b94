#include "profiles/installation_message.h"

#include "platform/forms/dialog_service.h"
#include "support/maker_site.h"

namespace tavrello {

void showInstallationMessage() {
  forms::MsgBox(
      "There appears to be a problem with the Installation of the Addin.\r"
      "Please check that you have the Connection.Settings.xml file in the same folder as the DLL\r"
      "Please try reinstalling and report this problem.",
      forms::MsgButtons::OkOnly, forms::MsgIcon::None, kAppTitle);
}

}  // namespace tavrello
