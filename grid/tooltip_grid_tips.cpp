#include "grid/tooltip_grid_tips.h"

namespace grid {

TooltipGridTips::TooltipGridTips(ui::Toolkit& toolkit, const ui::Control& dataPanel) : dataPanel_(dataPanel) {
  helper_.create(toolkit, true, false);
}

void TooltipGridTips::show(const base::TextValue& text, ui::Point) {
  helper_.removeTool(dataPanel_);
  helper_.addTool(dataPanel_, text, false);
}

void TooltipGridTips::hide() { helper_.removeTool(dataPanel_); }

}  // namespace grid
