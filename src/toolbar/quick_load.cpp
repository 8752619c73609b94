#include "toolbar/quick_load.h"

#include <string>

#include "addin/m_globals.h"
#include "platform/forms/shared_form.h"
#include "profiles/settings_store.h"
#include "query/form_sql_new.h"
#include "support/m_error_handler.h"
#include "support/upper_case.h"
#include "toolbar/m_command_bars.h"

namespace tavrello::MStandardCode {

void QuickLoad() {
  MErrorHandler::handled("MStandardCode", "QuickLoad", [] {
    const std::string chosen = MCommandBars::connectionsCombo()->Text();

    auto window = forms::SharedForm<formSQLNew>::instance();
    window->Show(forms::ShowMode::Modeless);

    window->SQLBuilder.Visible(false);
    window->SSTab1.Visible(false);
    window->SQLBuilder.Reset();
    window->SSTab1.Tab(0);
    window->CommandDisconnect.Enabled(false);
    window->CommandOpenQueryFile.Enabled(false);
    window->CommandSave.Enabled(false);

    // The window's list still shows its initial text when no connection is
    // saved.
    if (UCase(window->ComboConnections.Text()) == "COMBO1") {
      window->ComboConnections.Text(formSQLNew::kNoConnectionItem);
      return;
    }
    if (UCase(chosen) == UCase(MCommandBars::kPlaceholderItem)) return;

    window->ComboConnections.Text(chosen);
    window->SQLBuilder.ConnectionString(GetDataStringFromConnectionsArray(chosen, ConnectionList::kConnectionStringColumn));
    window->SQLBuilder.Connect();
    window->SQLBuilder.Visible(true);
    window->SSTab1.Visible(true);
    window->SSTab1.Tab(0);
    window->CommandDisconnect.Enabled(true);
    window->CommandOpenQueryFile.Enabled(true);
    window->CommandSave.Enabled(true);
    window->TextSQL.Visible(true);
    window->CommandConnect.Enabled(false);
    window->CommandManage.Enabled(false);
    window->Repaint();
  });
}

}  // namespace tavrello::MStandardCode
