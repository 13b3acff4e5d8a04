#include "support/tooltip_helper.h"

#include <utility>

namespace support {

TooltipHandle TooltipHelper::create(ui::Toolkit& toolkit, bool multiLine, bool balloon) {
  if (live() != nullptr) return nullptr;
  TooltipHandle made(toolkit.createTooltip(balloon));
  if (!made) return nullptr;
  if (multiLine) made->setMaxWidth(kMultiLineTipWidth);
  handle_ = made;
  return made;
}

bool TooltipHelper::addTool(const ui::Control& window, const base::TextValue& text, bool centred) {
  ui::Tooltip* tooltip = live();
  return tooltip != nullptr && tooltip->addTool(window, text, centred);
}

void TooltipHelper::removeTool(const ui::Control& window) {
  if (ui::Tooltip* tooltip = live()) tooltip->removeTool(window);
}

void TooltipHelper::updateText(const ui::Control& window, const base::TextValue& text) {
  if (ui::Tooltip* tooltip = live()) tooltip->updateText(window, text);
}

ui::Color TooltipHelper::backgroundColor() const {
  ui::Tooltip* tooltip = live();
  return tooltip == nullptr ? 0 : tooltip->backgroundColor();
}

void TooltipHelper::setBackgroundColor(ui::Color color) {
  if (ui::Tooltip* tooltip = live()) tooltip->setBackgroundColor(color);
}

ui::Color TooltipHelper::textColor() const {
  ui::Tooltip* tooltip = live();
  return tooltip == nullptr ? 0 : tooltip->textColor();
}

void TooltipHelper::setTextColor(ui::Color color) {
  if (ui::Tooltip* tooltip = live()) tooltip->setTextColor(color);
}

void TooltipHelper::setDelays(int initial, int autoPop) {
  ui::Tooltip* tooltip = live();
  if (tooltip == nullptr) return;
  if (initial > 0) tooltip->setDelay(ui::TooltipDelay::Initial, initial);
  if (autoPop > 0) tooltip->setDelay(ui::TooltipDelay::AutoPop, autoPop);
}

int TooltipHelper::setMaxWidth(int pixels) {
  ui::Tooltip* tooltip = live();
  return tooltip == nullptr ? 0 : tooltip->setMaxWidth(pixels);
}

void TooltipHelper::pop() {
  if (ui::Tooltip* tooltip = live()) tooltip->pop();
}

bool TooltipHelper::destroy() {
  ui::Tooltip* tooltip = live();
  if (tooltip == nullptr || !tooltip->destroy()) return false;
  handle_.reset();
  return true;
}

TooltipHandle TooltipHelper::setHandle(TooltipHandle handle) { return std::exchange(handle_, std::move(handle)); }

int TooltipHelper::toolCount() const {
  ui::Tooltip* tooltip = live();
  return tooltip == nullptr ? 0 : tooltip->toolCount();
}

std::vector<base::TextValue> TooltipHelper::toolTexts() const {
  std::vector<base::TextValue> texts;
  ui::Tooltip* tooltip = live();
  if (tooltip == nullptr) return texts;
  for (int index = 0, count = tooltip->toolCount(); index < count; ++index) {
    base::TextValue text = tooltip->toolTextAt(index);
    if (!text.empty()) texts.push_back(std::move(text));
  }
  return texts;
}

std::optional<base::TextValue> TooltipHelper::toolText(const ui::Control& window, std::size_t maxLength) const {
  ui::Tooltip* tooltip = live();
  if (tooltip == nullptr) return std::nullopt;
  std::optional<base::TextValue> text = tooltip->toolText(window);
  if (text) *text = maxLength == 0 ? base::TextValue() : base::cutToBytes(*text, maxLength - 1);
  return text;
}

}  // namespace support
