#pragma once
// Drop-down lists (COMBOBOX, CBS_DROPDOWNLIST), list boxes (LISTBOX with extended selection) and
// checked list boxes (an owner-drawn LISTBOX with a check box before each item).

#include "ui/list_controls.h"
#include "ui/win32/win32_control.h"

namespace ui::win32 {

class Win32ComboBox : public Win32Control<ComboBox> {
 public:
  Win32ComboBox(Win32Window& window, Control* parent, const LayoutEntry& entry);

  std::vector<base::TextValue> items() const override;
  void insertItem(int index, const base::TextValue& text) override;
  void removeItem(int index) override;
  void setItemText(int index, const base::TextValue& text) override;
  void clearItems() override;
  int currentIndex() const override;
  // The shown text: in a drop-down list, the current item's. Setting it makes the item with exactly
  // that text current (raising nothing); a text that is no item changes nothing.
  base::TextValue editText() const override;
  void setEditText(const base::TextValue& text) override;

 protected:
  void applyCurrentIndex(int index) override;
  // The window's height also holds the dropped-down list.
  void applyBounds(const Rect& bounds) override;
  void applyCaption(const base::TextValue&) override {}
  bool handleCommand(int code, int id) override;
};

class Win32ListBox : public Win32Control<ListBox> {
 public:
  Win32ListBox(Win32Window& window, Control* parent, const LayoutEntry& entry);

  std::vector<base::TextValue> items() const override;
  void insertItem(int index, const base::TextValue& text) override;
  void removeItem(int index) override;
  void setItemText(int index, const base::TextValue& text) override;
  void clearItems() override;
  int currentIndex() const override;
  bool isSelected(int index) const override;
  void setSelected(int index, bool selected) override;

 protected:
  // The item becomes current and the only one selected (none: nothing selected).
  void applyCurrentIndex(int index) override;
  void applyCaption(const base::TextValue&) override {}
  bool handleCommand(int code, int id) override;

 private:
  bool hasCurrent_ = false;
};

class Win32CheckedListBox : public Win32Control<CheckedListBox> {
 public:
  Win32CheckedListBox(Win32Window& window, Control* parent, const LayoutEntry& entry);

  std::vector<base::TextValue> items() const override;
  void insertItem(int index, const base::TextValue& text) override;
  void removeItem(int index) override;
  void setItemText(int index, const base::TextValue& text) override;
  void clearItems() override;
  int currentIndex() const override;
  bool isChecked(int index) const override;
  void setChecked(int index, bool checked) override;

 protected:
  void applyCurrentIndex(int index) override;
  void applyCaption(const base::TextValue&) override {}
  void applyFont(const Font& font) override;
  bool handleCommand(int code, int id) override;
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool handleDrawItem(DRAWITEMSTRUCT& item) override;

 private:
  void toggle(int index);
  int itemHeight() const;
};

}  // namespace ui::win32
