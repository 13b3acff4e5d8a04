#include "ui/headless/headless_tooltip.h"

#include <algorithm>

#include "ui/headless/headless_canvas.h"
#include "ui/headless/headless_toolkit.h"

namespace ui::headless {

namespace {

constexpr int kLongestDelay = 32767;

// The paragraphs of a text: the pieces between "\r\n" or "\n".
std::vector<base::TextValue> paragraphsOf(const base::TextValue& text) {
  std::vector<base::TextValue> paragraphs(1);
  for (std::size_t position = 0; position < text.size();) {
    std::size_t size = base::characterSize(text, position);
    if (text.compare(position, 2, "\r\n") == 0 || text[position] == '\n') {
      paragraphs.emplace_back();
      position += text[position] == '\r' ? 2 : 1;
      continue;
    }
    paragraphs.back().append(text, position, size);
    position += size;
  }
  return paragraphs;
}

// Breaks one paragraph into lines no wider than `maxWidth`: after the last space that fits, else
// between two characters; a character wider than the width alone still gets a line.
void breakParagraph(const base::TextValue& paragraph, int maxWidth, std::vector<base::TextValue>& lines) {
  const Font font;
  base::TextValue line;
  int width = 0;
  for (std::size_t position = 0; position < paragraph.size();) {
    std::size_t size = base::characterSize(paragraph, position);
    base::TextValue character = paragraph.substr(position, size);
    int characterWidth = HeadlessCanvas::measure(font, character).width;
    if (!line.empty() && width + characterWidth > maxWidth) {
      if (character == " ") {  // the line ends at this space, which is not shown
        lines.push_back(line);
        line.clear();
        width = 0;
        position += size;
        continue;
      }
      std::size_t space = line.rfind(' ');  // never the second byte of a character (those are 0x40 up)
      if (space != base::TextValue::npos && space > 0) {
        lines.push_back(line.substr(0, space));
        line.erase(0, space + 1);
      } else {
        lines.push_back(line);
        line.clear();
      }
      width = HeadlessCanvas::measure(font, line).width;
    }
    line += character;
    width += characterWidth;
    position += size;
  }
  lines.push_back(line);
}

}  // namespace

std::unique_ptr<Tooltip> HeadlessToolkit::createTooltip(bool balloon) {
  return std::make_unique<HeadlessTooltip>(balloon);
}

bool HeadlessTooltip::destroy() {
  if (!exists_) return false;
  exists_ = false;
  tools_.clear();
  shown_.reset();
  return true;
}

std::uintptr_t HeadlessTooltip::nativeHandle() const { return exists_ ? reinterpret_cast<std::uintptr_t>(this) : 0; }

HeadlessTool* HeadlessTooltip::find(const Control& owner) {
  auto found = std::find_if(tools_.begin(), tools_.end(),
                            [&](const HeadlessTool& tool) { return tool.owner == &owner; });
  return found == tools_.end() ? nullptr : &*found;
}

const HeadlessTool* HeadlessTooltip::find(const Control& owner) const {
  return const_cast<HeadlessTooltip*>(this)->find(owner);
}

bool HeadlessTooltip::addTool(const Control& owner, const base::TextValue& text, bool centred) {
  if (!exists_) return false;
  // The platform refuses a second tip with the same owner and id.
  if (find(owner) != nullptr) return false;
  tools_.push_back({&owner, text, Rect{0, 0, owner.bounds().width, owner.bounds().height}, centred});
  return true;
}

void HeadlessTooltip::removeTool(const Control& owner) {
  if (!exists_) return;
  std::erase_if(tools_, [&](const HeadlessTool& tool) { return tool.owner == &owner; });
  if (shown_ && shown_->owner == &owner) shown_.reset();
}

void HeadlessTooltip::updateText(const Control& owner, const base::TextValue& text) {
  HeadlessTool* tool = exists_ ? find(owner) : nullptr;
  if (tool == nullptr) return;
  tool->text = text;
  if (shown_ && shown_->owner == &owner) {
    if (text.empty()) {
      shown_.reset();
    } else {
      shown_->text = text;
      shown_->lines = breakLines(text);
    }
  }
}

std::optional<base::TextValue> HeadlessTooltip::toolText(const Control& owner) const {
  const HeadlessTool* tool = exists_ ? find(owner) : nullptr;
  if (tool == nullptr) return std::nullopt;
  return tool->text;
}

base::TextValue HeadlessTooltip::toolTextAt(int index) const {
  if (!exists_ || index < 0 || index >= toolCount()) return {};
  return tools_[static_cast<std::size_t>(index)].text;
}

void HeadlessTooltip::setBackgroundColor(Color color) {
  if (exists_) background_ = color;
}

void HeadlessTooltip::setTextColor(Color color) {
  if (exists_) text_ = color;
}

void HeadlessTooltip::setDelay(TooltipDelay which, int milliseconds) {
  if (!exists_) return;
  int value = std::clamp(milliseconds, 0, kLongestDelay);
  (which == TooltipDelay::Initial ? initialDelay_ : autoPopDelay_) = value;
}

int HeadlessTooltip::setMaxWidth(int pixels) {
  if (!exists_) return 0;
  int previous = maxWidth_;
  maxWidth_ = pixels < 0 ? -1 : pixels;
  return previous;
}

void HeadlessTooltip::pop() {
  if (!exists_) return;
  ++pops_;
  shown_.reset();
}

bool HeadlessTooltip::hover(const Control& owner, Point at) {
  shown_.reset();
  const HeadlessTool* tool = exists_ ? find(owner) : nullptr;
  if (tool == nullptr || tool->text.empty()) return false;
  const Rect& area = tool->area;
  if (at.x < area.left || at.x >= area.right() || at.y < area.top || at.y >= area.bottom()) return false;
  ShownTip tip{&owner, tool->text, {at.x, at.y + kTipOffsetBelowPointer}, breakLines(tool->text)};
  if (tool->centred) {
    int widest = 0;
    for (const base::TextValue& line : tip.lines) {
      widest = std::max(widest, HeadlessCanvas::measure(Font{}, line).width);
    }
    tip.position = {area.left + (area.width - widest) / 2, area.bottom()};
  }
  shown_ = std::move(tip);
  return true;
}

std::vector<base::TextValue> HeadlessTooltip::breakLines(const base::TextValue& text) const {
  if (maxWidth_ < 0) return {text};
  std::vector<base::TextValue> lines;
  for (const base::TextValue& paragraph : paragraphsOf(text)) breakParagraph(paragraph, maxWidth_, lines);
  return lines;
}

}  // namespace ui::headless
