#pragma once
// The grid's tips on a tooltip window: kept on top, several lines up to the helper's width, not
// balloon-shaped; each new tip replaces the data panel's tip.

#include "grid/grid_tips.h"
#include "support/tooltip_helper.h"

namespace grid {

class TooltipGridTips : public GridTips {
 public:
  TooltipGridTips(ui::Toolkit& toolkit, const ui::Control& dataPanel);

  void show(const base::TextValue& text, ui::Point at) override;
  void hide() override;

  const support::TooltipHelper& helper() const { return helper_; }

 private:
  support::TooltipHelper helper_;
  const ui::Control& dataPanel_;
};

}  // namespace grid
