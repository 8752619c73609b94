#include "toolbar/m_command_bars.h"

#include "addin/m_globals.h"
#include "platform/system/failure.h"
#include "profiles/settings_store.h"
#include "support/m_error_handler.h"
#include "support/maker_site.h"

namespace tavrello::MCommandBars {

namespace {

constexpr const char* kModule = "MCommandBars";
constexpr std::int32_t kComboWidth = 150;

void addConnectionsComboBox(const std::shared_ptr<host::CommandBar>& bar, const std::string& parameter) {
  auto control = bar->Controls()->Add(host::MsoControlType::ComboBox, 0, parameter, std::nullopt, true);
  auto combo = std::dynamic_pointer_cast<host::CommandBarComboBox>(control);
  if (!combo) throw Failure::typeMismatch();
  combo->AddItem(kPlaceholderItem);
  Load_XML_File([&](const std::string& name) { combo->AddItem(name); });
  // Neither setting matters enough to fail the toolbar over.
  try {
    combo->ListIndex(1);
  } catch (const Failure&) {
  }
  try {
    combo->Width(kComboWidth);
  } catch (const Failure&) {
  }
}

void addIconButton(const std::shared_ptr<host::CommandBar>& bar, const std::string& tooltip, const std::string& tag,
                   const std::string& parameter, std::int32_t face) {
  auto control = bar->Controls()->Add(host::MsoControlType::Button, 0, parameter, std::nullopt, true);
  auto button = std::dynamic_pointer_cast<host::CommandBarButton>(control);
  if (!button) throw Failure::typeMismatch();
  if (!tooltip.empty()) button->TooltipText(tooltip);
  if (!tag.empty()) button->Tag(tag);
  button->FaceId(face);
}

}  // namespace

bool bBuildCommandBars() {
  return MErrorHandler::handled(kModule, "bBuildCommandBars", false, [] {
    RemoveCommandBars();
    auto bar = MGlobals::xlApp().CommandBars()->Add(std::string(kToolbarName), host::MsoBarPosition::Floating,
                                                     false, true);
    AddButton(bar, kConnectionsTooltip, kButtonTag, "Comments", 528);
    AddButton(bar, "Quick Load", kButtonTag, "Quick Login", 528);
    AddButton(bar, std::string("Load Support Page - ") + kSupportPageUrl, kButtonTag, "Formatting", 610);
    AddButton(bar, "Check For Tavrello Updates - will connect to internet to check", kButtonTag,
              "Check For Updates", 141);
    AddButton(bar, "About Tavrello", kButtonTag, "Comments", 480);
    return true;
  });
}

void AddButton(const std::shared_ptr<host::CommandBar>& bar, const std::string& tooltip, const std::string& tag,
               const std::string& parameter, std::int32_t face) {
  MErrorHandler::handled(kModule, "AddButton", [&] {
    if (!bar) throw Failure::objectNotSet();
    if (tooltip == kConnectionsTooltip) {
      addConnectionsComboBox(bar, parameter);
    } else {
      addIconButton(bar, tooltip, tag, parameter, face);
    }
  });
}

std::shared_ptr<host::CommandBarComboBox> connectionsCombo() {
  auto combo = std::dynamic_pointer_cast<host::CommandBarComboBox>(
      MGlobals::xlApp().CommandBars()->Item(kToolbarName)->Controls()->Item(1));
  if (!combo) throw Failure::typeMismatch();
  return combo;
}

void RemoveCommandBars() {
  try {
    MGlobals::xlApp().CommandBars()->Item(kToolbarName)->Delete();
  } catch (const std::exception&) {
    // No toolbar to remove, or the host would not let it go: either way the
    // caller carries on.
  }
}

}  // namespace tavrello::MCommandBars
