#include "toolbar/c_control_events.h"

#include "addin/m_globals.h"
#include "platform/system/failure.h"
#include "support/form_about.h"
#include "support/update_check.h"
#include "support/web_links.h"
#include "toolbar/m_command_bars.h"
#include "toolbar/quick_load.h"

namespace tavrello {

CControlEvents::CControlEvents() {
  auto control = MGlobals::xlApp().CommandBars()->FindControl(std::nullopt, std::nullopt,
                                                              std::string(MCommandBars::kButtonTag));
  if (!control) return;
  mctlPasteSpecial = std::dynamic_pointer_cast<host::CommandBarButton>(control);
  if (!mctlPasteSpecial) throw Failure::typeMismatch();
  binding_ = mctlPasteSpecial->BindClick(*this);
}

CControlEvents::~CControlEvents() {
  binding_.reset();
  mctlPasteSpecial.reset();
}

void CControlEvents::Click(const std::shared_ptr<host::CommandBarButton>& Ctrl, bool& CancelDefault) {
  mctlPasteSpecial_Click(Ctrl, CancelDefault);
}

void CControlEvents::mctlPasteSpecial_Click(const std::shared_ptr<host::CommandBarButton>& Ctrl,
                                            bool& CancelDefault) {
  if (!Ctrl) throw Failure::objectNotSet();
  if (Ctrl->Tag() != MCommandBars::kButtonTag) return;
  const std::string parameter = Ctrl->Parameter();
  if (parameter == "Quick Login") {
    MStandardCode::QuickLoad();
  } else if (parameter == "Formatting") {
    MStandardCode::ShowTavrelloWebPage();
  } else if (parameter == "Check For Updates") {
    MStandardCode::Check_App_Version();
  } else if (parameter == "Comments") {
    MStandardCode::ShowAbout();
  }
  CancelDefault = true;
}

}  // namespace tavrello
