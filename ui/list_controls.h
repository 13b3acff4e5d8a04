#pragma once
// Drop-down lists, list boxes and checked list boxes. Making item i current follows one rule: an i
// beyond the last item makes the last current, -1 or less makes none current, and nothing is
// raised. The user's choice raises onSelectionChanged.

#include <vector>

#include "ui/control.h"

namespace ui {

class ItemList : public Control {
 public:
  int itemCount() const { return static_cast<int>(items().size()); }
  virtual std::vector<base::TextValue> items() const = 0;
  base::TextValue item(int index) const;
  void addItem(const base::TextValue& text) { insertItem(itemCount(), text); }
  // Inserts before `index` (clamped to 0..count).
  virtual void insertItem(int index, const base::TextValue& text) = 0;
  virtual void removeItem(int index) = 0;
  virtual void setItemText(int index, const base::TextValue& text) = 0;
  virtual void clearItems() = 0;
  void setItems(const std::vector<base::TextValue>& texts);

  virtual int currentIndex() const = 0;  // -1: none
  void setCurrentIndex(int index);

  std::function<void()> onSelectionChanged;
  std::function<void()> onDoubleClick;

 protected:
  using Control::Control;
  // Makes `index` (already clamped, -1 for none) current without raising anything.
  virtual void applyCurrentIndex(int index) = 0;
  void raiseSelectionChanged() { fire(onSelectionChanged); }
  void raiseDoubleClick() { fire(onDoubleClick); }
};

class ComboBox : public ItemList {
 public:
  // The text of the box's edit part.
  virtual base::TextValue editText() const = 0;
  virtual void setEditText(const base::TextValue& text) = 0;

 protected:
  using ItemList::ItemList;
};

class ListBox : public ItemList {
 public:
  // List boxes may select several items; the current item is the one with the focus.
  virtual bool isSelected(int index) const = 0;
  virtual void setSelected(int index, bool selected) = 0;
  std::vector<int> selectedIndices() const;

 protected:
  using ItemList::ItemList;
};

class CheckedListBox : public ItemList {
 public:
  virtual bool isChecked(int index) const = 0;
  virtual void setChecked(int index, bool checked) = 0;
  std::vector<int> checkedIndices() const;

 protected:
  using ItemList::ItemList;
};

}  // namespace ui
