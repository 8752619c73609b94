#pragma once

#include <memory>

#include "platform/host/command_bars.h"

namespace tavrello {

// Turns clicks on the add-in's toolbar buttons into its commands. It binds a
// single button, the first control tagged "pxlTavrello" in the host's command
// bars, and the host raises that button's click for every button carrying the
// same tag, so one handler serves all four buttons and tells them apart by
// their Parameter. One instance lives in MGlobals::gclsControlEvents while the
// add-in is connected; releasing it unbinds the buttons.
class CControlEvents : public host::CommandBarButtonEvents {
 public:
  // Looks the button up through MGlobals::gxlApp's CommandBars.FindControl,
  // with only the Tag given, and binds it. Without such a control the
  // receiver stays unbound and no clicks arrive. Throws Failure when the host
  // cannot be searched (the connection reports it) or the control found is
  // not a button.
  CControlEvents();
  ~CControlEvents() override;
  CControlEvents(const CControlEvents&) = delete;
  CControlEvents& operator=(const CControlEvents&) = delete;

  // The bound button's click. For a button tagged exactly "pxlTavrello" it
  // runs the command its Parameter names and waits for it to finish:
  //   "Quick Login"       opens the query window on the toolbar's connection
  //                       (not wired yet, see the .cpp)
  //   "Formatting"        the support page        (MStandardCode::ShowTavrelloWebPage)
  //   "Check For Updates" the update check        (MStandardCode::Check_App_Version)
  //   "Comments"          the about box           (MStandardCode::ShowAbout)
  // and then sets CancelDefault, whether or not a command was found. A button
  // with another tag is left alone, CancelDefault as it came. Failures while
  // reading the button, or in the about box, pass to the caller.
  void mctlPasteSpecial_Click(const std::shared_ptr<host::CommandBarButton>& Ctrl, bool& CancelDefault);

  // Whether a button is bound.
  bool bound() const { return mctlPasteSpecial != nullptr; }

 private:
  void Click(const std::shared_ptr<host::CommandBarButton>& Ctrl, bool& CancelDefault) override;

  std::shared_ptr<host::CommandBarButton> mctlPasteSpecial;
  std::unique_ptr<host::EventBinding> binding_;
};

}  // namespace tavrello
