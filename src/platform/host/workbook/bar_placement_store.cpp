#include "platform/host/workbook/bar_placement_store.h"

#include <string>

#include "platform/host/workbook/host_command_bar.h"
#include "platform/host/workbook/host_command_bars.h"
#include "platform/system/registry.h"

namespace tavrello::host {

namespace {

const char* const kKey = "Software\\Tavrello\\Workbook Host\\CommandBars\\";

std::optional<std::int32_t> readNumber(const sys::RegKey& key, const char* name) {
  auto value = key.readDword(name);
  if (!value) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

}  // namespace

void loadBuiltInBarPlacement(HostCommandBars& bars) {
  for (const auto& bar : bars.bars()) {
    if (!bar->isBuiltIn()) continue;
    try {
      auto key = sys::RegKey::open(sys::HKEY_CURRENT_USER, kKey + bar->name());
      if (!key) continue;
      BarPlacement& place = bar->placement();
      if (auto visible = readNumber(*key, "Visible")) place.visible = *visible != 0;
      if (auto position = readNumber(*key, "Position");
          position && *position >= MsoBarPosition::Left && *position <= MsoBarPosition::Floating)
        place.position = *position;
      if (auto left = readNumber(*key, "Left")) place.left = *left;
      if (auto top = readNumber(*key, "Top")) place.top = *top;
      if (auto row = readNumber(*key, "RowIndex"); row && *row >= 0) place.rowIndex = *row;
      if (auto width = readNumber(*key, "Width"); width && *width >= 0) place.width = *width;
      if (auto height = readNumber(*key, "Height"); height && *height >= 0) place.height = *height;
    } catch (const Failure&) {
      // A damaged store costs the user the placement, not the host.
    }
  }
}

void saveBuiltInBarPlacement(const HostCommandBars& bars) {
  for (const auto& bar : bars.bars()) {
    if (!bar->isBuiltIn()) continue;
    auto key = sys::RegKey::create(sys::HKEY_CURRENT_USER, kKey + bar->name());
    const BarPlacement& place = bar->placement();
    key.writeDword("Visible", place.visible ? 1 : 0);
    key.writeDword("Position", static_cast<std::uint32_t>(place.position));
    key.writeDword("Left", static_cast<std::uint32_t>(place.left));
    key.writeDword("Top", static_cast<std::uint32_t>(place.top));
    key.writeDword("RowIndex", static_cast<std::uint32_t>(place.rowIndex));
    if (place.width) key.writeDword("Width", static_cast<std::uint32_t>(*place.width));
    else key.removeValue("Width");
    if (place.height) key.writeDword("Height", static_cast<std::uint32_t>(*place.height));
    else key.removeValue("Height");
  }
}

}  // namespace tavrello::host
