#pragma once
// HeadlessTooltip: the tooltip in memory. It keeps the registered tips as the platform does (in the
// order they were added) and, when a test lets the pointer rest over a control, what would be shown:
// the tip's text, where, and the lines it breaks into at the maximum width. Lines are measured as
// headless canvases measure text (HeadlessCanvas::measure) in the toolkit's default font.

#include <optional>
#include <vector>

#include "ui/tooltip.h"

namespace ui::headless {

struct HeadlessTool {
  const Control* owner = nullptr;  // only compared, never used: the control may be gone
  base::TextValue text;
  Rect area;  // the owner's client area when the tip was added
  bool centred = false;
};

struct ShownTip {
  const Control* owner = nullptr;
  base::TextValue text;
  Point position;  // the tip's top-left corner, relative to the owner
  std::vector<base::TextValue> lines;
};

// Where a tip shows below the pointer.
inline constexpr int kTipOffsetBelowPointer = 20;

class HeadlessTooltip : public Tooltip {
 public:
  explicit HeadlessTooltip(bool balloon) : balloon_(balloon) {}

  // ---- ui::Tooltip
  bool exists() const override { return exists_; }
  bool destroy() override;
  std::uintptr_t nativeHandle() const override;
  bool addTool(const Control& owner, const base::TextValue& text, bool centred) override;
  void removeTool(const Control& owner) override;
  void updateText(const Control& owner, const base::TextValue& text) override;
  std::optional<base::TextValue> toolText(const Control& owner) const override;
  int toolCount() const override { return static_cast<int>(tools_.size()); }
  base::TextValue toolTextAt(int index) const override;
  Color backgroundColor() const override { return background_; }
  void setBackgroundColor(Color color) override;
  Color textColor() const override { return text_; }
  void setTextColor(Color color) override;
  void setDelay(TooltipDelay which, int milliseconds) override;
  int setMaxWidth(int pixels) override;
  void pop() override;

  // ---- for tests
  bool balloon() const { return balloon_; }
  const std::vector<HeadlessTool>& tools() const { return tools_; }
  int maxWidth() const { return maxWidth_; }
  int delay(TooltipDelay which) const { return which == TooltipDelay::Initial ? initialDelay_ : autoPopDelay_; }
  // The pointer rests at `at` (relative to `owner`) for longer than the initial delay: the tip of
  // owner shows when the point lies in its area and its text is not empty. True when it shows.
  bool hover(const Control& owner, Point at);
  // The tip shown now, if any.
  const std::optional<ShownTip>& shown() const { return shown_; }
  int popCount() const { return pops_; }

 private:
  HeadlessTool* find(const Control& owner);
  const HeadlessTool* find(const Control& owner) const;
  std::vector<base::TextValue> breakLines(const base::TextValue& text) const;

  bool exists_ = true;
  bool balloon_;
  std::vector<HeadlessTool> tools_;
  Color background_ = rgb(0xFF, 0xFF, 0xE1);  // the system's tip colours
  Color text_ = kBlack;
  int initialDelay_ = 500;
  int autoPopDelay_ = 5000;
  int maxWidth_ = -1;
  std::optional<ShownTip> shown_;
  int pops_ = 0;
};

}  // namespace ui::headless
