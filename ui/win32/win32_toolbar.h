#pragma once
// The toolbar: the common toolbar control, flat, captions below the images, tooltips asked of the
// program's buttons (TTN_GETDISPINFOW). A button's command identifier is kFirstCommand plus its
// index in the button list (separators counted).

#include <string>
#include <vector>

#include "ui/toolbar.h"
#include "ui/win32/win32_control.h"

namespace ui::win32 {

class Win32Toolbar : public Win32Control<Toolbar> {
 public:
  static constexpr int kFirstCommand = 100;

  Win32Toolbar(Win32Window& window, Control* parent, const LayoutEntry& entry);

  void setButtons(const std::vector<ToolbarButton>& buttons, const std::vector<const Picture*>& images) override;
  int buttonCount() const override { return static_cast<int>(buttons_.size()); }
  bool isChecked(int index) const override;
  void setChecked(int index, bool checked) override;
  base::TextValue buttonCaption(int index) const override;
  void setButtonCaption(int index, const base::TextValue& caption) override;
  bool isButtonEnabled(int index) const override;
  void setButtonEnabled(int index, bool enabled) override;

  // Where the button is, in the toolbar's client area (empty when there is no such button).
  Rect buttonBounds(int index) const;

 protected:
  void applyCaption(const base::TextValue&) override {}
  void applyScale() override;
  bool handleCommand(int code, int id) override;
  bool handleNotify(NMHDR& header, LRESULT& result) override;

 private:
  bool valid(int index) const { return index >= 0 && index < buttonCount(); }
  int state(int index) const;
  void setState(int index, int state);
  // The images at the window's scale.
  void setImageList();
  void fitButtonsToHeight();

  std::vector<ToolbarButton> buttons_;
  std::vector<const Picture*> pictures_;  // the program's, kept to be drawn again at another DPI
  std::vector<std::wstring> captions_;
  std::vector<std::wstring> tooltips_;
  OwnedImageList images_;
};

}  // namespace ui::win32
