#pragma once
// The tooltip on the system's common tooltip control (TOOLTIPS_CLASSW): a top-most window without
// an owner, texts given to it in UTF-16. Tips are registered with id 0 for the owner control's
// window and subclass it (TTF_SUBCLASS), so the control sees the pointer itself.

#include <windows.h>

#include "ui/tooltip.h"
#include "ui/win32/win32_handles.h"

namespace ui::win32 {

class Win32Tooltip : public Tooltip {
 public:
  explicit Win32Tooltip(bool balloon);

  bool exists() const override { return static_cast<bool>(window_); }
  bool destroy() override;
  std::uintptr_t nativeHandle() const override { return reinterpret_cast<std::uintptr_t>(window_.get()); }
  bool addTool(const Control& owner, const base::TextValue& text, bool centred) override;
  void removeTool(const Control& owner) override;
  void updateText(const Control& owner, const base::TextValue& text) override;
  std::optional<base::TextValue> toolText(const Control& owner) const override;
  int toolCount() const override;
  base::TextValue toolTextAt(int index) const override;
  Color backgroundColor() const override;
  void setBackgroundColor(Color color) override;
  Color textColor() const override;
  void setTextColor(Color color) override;
  void setDelay(TooltipDelay which, int milliseconds) override;
  int setMaxWidth(int pixels) override;
  void pop() override;

  HWND hwnd() const { return window_.get(); }

 private:
  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // The text of the tip registered for `owner` with id `id`, read into a buffer that holds the
  // longest text ever given.
  base::TextValue textOf(HWND owner, UINT_PTR id) const;
  void noteLength(std::size_t wideLength);

  OwnedWindow window_;
  std::size_t longestText_ = 80;  // UTF-16 units
};

}  // namespace ui::win32
