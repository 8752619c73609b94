#include "import/formatting_schemes.h"

#include "import/result_block.h"
#include "platform/host/range.h"
#include "support/upper_case.h"

namespace tavrello {

std::int32_t GetFormatIDByString(const std::string& name) {
  const std::string key = UCase(name);
  if (key == "GREY AND WHITE") return 1;
  if (key == "GREEN AND WHITE") return 2;
  if (key == "GREEN AND BLACK") return 3;
  if (key == "BLACK AND GREY") return 4;
  return 0;
}

std::optional<int> SchemeDesign(std::int32_t scheme) {
  switch (scheme) {
    case 1: return host::RangeAutoFormat::List1;
    case 2: return host::RangeAutoFormat::List2;
    case 3: return host::RangeAutoFormat::Color1;
    case 4: return host::RangeAutoFormat::Color3;
    default: return std::nullopt;
  }
}

void ApplyFormattingScheme(const std::string& comboText, std::int32_t lastRowOffset, std::int32_t fieldCount) {
  if (UCase(comboText) == "NO FORMATTING") return;
  const std::optional<int> design = SchemeDesign(GetFormatIDByString(comboText));
  if (!design) return;
  host::AutoFormatOptions options;
  options.Format = *design;
  options.Number = options.Font = options.Alignment = options.Border = options.Pattern = options.Width = true;
  ResultBlock(lastRowOffset, fieldCount)->AutoFormat(options);
}

}  // namespace tavrello
