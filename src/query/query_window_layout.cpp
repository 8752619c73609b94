#include <algorithm>

#include "query/form_sql_new.h"

// The query window's work area follows the window's size: the builder takes
// two thirds of the height below the top band, the statement box 4/19 of it
// below the builder, and the tab control around both reaches the window's
// right edge. The grid on page 1 covers what builder and statement box cover
// together on page 0.
namespace tavrello {
namespace {

constexpr float kTopBand = 1000;
constexpr float kBuilderTop = 450;
constexpr float kBuilderLeft = 100;
constexpr float kSideMargins = 300 + 250;

// A window lower than the top band or narrower than its margins (minimised,
// say) would give negative sizes; those become 0.
float clamped(float twips) { return std::max(twips, 0.0F); }

}  // namespace

void formSQLNew::Form_Resize() {
  if (SSTab1.Tab() != 0) return;
  const float height = Height();
  const float width = Width();

  const float builderHeight = clamped((height - kTopBand) / 6.0F * 4.0F);
  const float builderWidth = clamped(width - kSideMargins);
  SQLBuilder.Move(kBuilderLeft, kBuilderTop, builderWidth, builderHeight);

  const float textHeight = clamped((height - kTopBand) / 9.5F * 2.0F);
  TextSQL.Move(kBuilderLeft, kBuilderTop + builderHeight + 10, builderWidth, textHeight);

  const float tabLeft = kBuilderLeft - 10;
  SSTab1.Move(tabLeft, kBuilderTop + 500, clamped(width - tabLeft), builderHeight + textHeight + 500);

  DataGrid.Move(kBuilderLeft, kBuilderTop, builderWidth, builderHeight + textHeight);
}

}  // namespace tavrello
