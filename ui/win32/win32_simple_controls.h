#pragma once
// Labels, buttons, group boxes, edit boxes, check boxes, radio buttons and colour pickers as
// system controls (STATIC, BUTTON, EDIT).

#include "ui/simple_controls.h"
#include "ui/win32/win32_control.h"

namespace ui::win32 {

class Win32Label : public Win32Control<Label> {
 public:
  Win32Label(Win32Window& window, Control* parent, const LayoutEntry& entry);

 protected:
  bool handleCommand(int code, int id) override;
};

class Win32Button : public Win32Control<Button> {
 public:
  Win32Button(Win32Window& window, Control* parent, const LayoutEntry& entry);

 protected:
  bool handleCommand(int code, int id) override;
};

// A group box is the parent window of the controls placed in it. It paints its own background,
// which the system's group box leaves to its parent.
class Win32GroupBox : public Win32Control<GroupBox> {
 public:
  Win32GroupBox(Win32Window& window, Control* parent, const LayoutEntry& entry);

 protected:
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// The edit control, subclassed: typed characters (WM_CHAR, a character beyond the BMP in two) and
// pastes pass the box's checks before they go in; any other edit of the user's (an input method's
// result string, an undo) is checked once made, and the content from before it is put back when
// it breaks them. Enter in a single-line box raises onEnter; a multi-line box is a new control
// with the multi-line styles. The system's own limit of 32,767 characters is lifted: the box's
// byte limit is what limits the user.
class Win32EditBox : public Win32Control<EditBox> {
 public:
  Win32EditBox(Win32Window& window, Control* parent, const LayoutEntry& entry);

 protected:
  base::TextValue readText() const override { return keptText(wideWindowText(hwnd()), written_); }
  void writeText(const base::TextValue& text) override;
  void applyMultiLine(bool multiLine) override;
  void applyCaption(const base::TextValue& text) override { writeText(text); }
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool handleCommand(int code, int id) override;

 private:
  // What the user last left in the box (or the program put there), and the selection then.
  struct Snapshot {
    std::wstring text;
    DWORD selectionStart = 0;
    DWORD selectionEnd = 0;
  };

  void createEdit(DWORD style);
  // A typed UTF-16 unit: true when it is used up here, false when the edit control is to take it.
  bool typed(wchar_t unit);
  void paste();
  // Whether the edit the control just reported may stay; else the snapshot is put back.
  bool editStays();
  // Keeps the text the box shows now, and its selection.
  void takeSnapshot(std::wstring shown);
  // Where the user's input meets the content (counted only when the box has a byte limit).
  ContentBytes contentBytes() const;

  base::TextValue written_;  // the text the program last put in, as given
  Snapshot kept_;
  wchar_t highHalf_ = 0;     // the first unit of a character typed in two
};

class Win32CheckBox : public Win32Control<CheckBox> {
 public:
  Win32CheckBox(Win32Window& window, Control* parent, const LayoutEntry& entry);
  bool checked() const override;
  void setChecked(bool checked) override;

 protected:
  bool handleCommand(int code, int id) override;
};

class Win32RadioButton : public Win32Control<RadioButton> {
 public:
  Win32RadioButton(Win32Window& window, Control* parent, const LayoutEntry& entry);
  bool checked() const override;
  void setChecked(bool checked) override;

 protected:
  bool handleCommand(int code, int id) override;
};

// A framed patch in the colour; a click lets the user choose another colour, then raises onClick.
class Win32ColorPicker : public Win32Control<ColorPicker> {
 public:
  Win32ColorPicker(Win32Window& window, Control* parent, const LayoutEntry& entry);
  Color color() const override { return color_; }
  void setColor(Color color) override;

 protected:
  bool handleCommand(int code, int id) override;
  HBRUSH controlColor(HDC dc, UINT message) override;

 private:
  Color color_ = kWhite;
  OwnedBrush brush_;
};

}  // namespace ui::win32
