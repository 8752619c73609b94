#include "host/headless_session.h"

#include "platform/forms/form.h"
#include "platform/host/command_bars.h"
#include "platform/host/workbook/bar_placement_store.h"
#include "platform/host/workbook/host_command_bars.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"
#include "platform/system/registry.h"
#include "tavrello/version.h"

namespace tavrello::host {
namespace {

// How the user finds the add-in's tool bar, its list and its button.
constexpr const char* kToolbar = "Tavrello";
constexpr const char* kQuickLoadTooltip = "Quick Load";
constexpr const char* kQueryWindow = "formSQLNew";

std::shared_ptr<CommandBar> tavrelloToolbar(WorkbookApplication& app) {
  try {
    return app.CommandBars()->Item(kToolbar);
  } catch (const Failure&) {
    throw Failure(1004, "The Tavrello tool bar is not there: is the add-in registered (tavrello register)?");
  }
}

}  // namespace

HeadlessSession::HeadlessSession(std::ostream& err, const std::string& hostVersion)
    : dialogs_(std::make_shared<forms::ScriptedDialogService>(&err)),
      installed_(dialogs_),
      app_(WorkbookApplication::create(hostVersion)),
      addins_(app_) {
  loadBuiltInBarPlacement(*app_->commandBars());
  addins_.loadRegistered();
}

HeadlessSession::~HeadlessSession() { end(); }

void HeadlessSession::end() {
  if (ended_) return;
  ended_ = true;
  // The add-ins and the host store their bars' places in one write.
  sys::RegistryBatch batch;
  addins_.disconnectAll();
  app_->commandBars()->removeTemporary();
  try {
    saveBuiltInBarPlacement(*app_->commandBars());
    batch.finish();
  } catch (const Failure& failure) {
    forms::MsgBox("The command bars' placement could not be stored: " + failure.description(),
                  forms::MsgButtons::OkOnly, forms::MsgIcon::Exclamation, kHostTitle);
  }
}

// The tool bar's list of connections and its Quick Load button.
struct HeadlessSession::ToolbarParts {
  std::shared_ptr<CommandBarComboBox> list;
  std::shared_ptr<CommandBarControl> quickLoad;
};

HeadlessSession::ToolbarParts HeadlessSession::toolbarParts() const {
  auto bar = tavrelloToolbar(*app_);
  auto controls = bar->Controls();
  ToolbarParts parts;
  for (std::int32_t i = 1; i <= controls->Count(); ++i) {
    auto control = controls->Item(i);
    if (!parts.list) parts.list = std::dynamic_pointer_cast<CommandBarComboBox>(control);
    if (control->TooltipText() == kQuickLoadTooltip) parts.quickLoad = control;
  }
  if (!parts.list || !parts.quickLoad) {
    throw Failure(1004, "The Tavrello tool bar has no connection list or Quick Load button");
  }
  return parts;
}

std::shared_ptr<forms::Form> HeadlessSession::quickLoad(const std::string& connection) {
  ToolbarParts parts = toolbarParts();
  std::int32_t entry = 0;
  for (std::int32_t i = 2; i <= parts.list->ListCount() && entry == 0; ++i) {
    if (parts.list->List(i) == connection) entry = i;
  }
  if (entry == 0) throw Failure(5, "There is no saved connection named '" + connection + "'");
  return quickLoadEntry(parts, entry);
}

std::shared_ptr<forms::Form> HeadlessSession::quickLoadDisconnected() {
  ToolbarParts parts = toolbarParts();
  if (parts.list->ListCount() < 1) throw Failure(1004, "The Tavrello tool bar's list of connections is empty");
  return quickLoadEntry(parts, 1);
}

std::shared_ptr<forms::Form> HeadlessSession::quickLoadEntry(ToolbarParts& parts, std::int32_t entry) {
  parts.list->ListIndex(entry);
  std::shared_ptr<forms::Form> window;
  dialogs_->onModeless(kQueryWindow, [&window](forms::Form& form) {
    window = form.shared_from_this();
  });
  parts.quickLoad->Execute();
  dialogs_->onModeless(kQueryWindow, {});
  if (!window) throw Failure(1004, "Quick Load did not open the query window");
  return window;
}

}  // namespace tavrello::host
