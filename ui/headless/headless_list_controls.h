#pragma once
// Headless drop-down lists, list boxes and checked list boxes. A user pick raises
// onSelectionChanged every time, also when the picked item was current already (as the platform's
// lists do).

#include <vector>

#include "ui/headless/headless_control.h"
#include "ui/list_controls.h"

namespace ui::headless {

// The items and the current index, kept in step when items come and go: removing the current item
// leaves none current, inserting before it moves it along.
class ItemStore {
 public:
  std::vector<base::TextValue> texts;
  int current = -1;

  bool valid(int index) const { return index >= 0 && index < static_cast<int>(texts.size()); }
  int insert(int index, const base::TextValue& text);  // the index it went to
  bool remove(int index);
};

class HeadlessComboBox : public HeadlessControl<ComboBox> {
 public:
  using HeadlessControl::HeadlessControl;

  std::vector<base::TextValue> items() const override { return store_.texts; }
  void insertItem(int index, const base::TextValue& text) override { store_.insert(index, text); }
  void removeItem(int index) override;
  void setItemText(int index, const base::TextValue& text) override;
  void clearItems() override;
  int currentIndex() const override { return store_.current; }
  base::TextValue editText() const override { return editText_; }
  void setEditText(const base::TextValue& text) override { editText_ = text; }

  // The user opened the list and picked item `index`.
  void userPick(int index);

 protected:
  void applyCurrentIndex(int index) override;

 private:
  ItemStore store_;
  base::TextValue editText_;
};

class HeadlessListBox : public HeadlessControl<ListBox> {
 public:
  using HeadlessControl::HeadlessControl;

  std::vector<base::TextValue> items() const override { return store_.texts; }
  void insertItem(int index, const base::TextValue& text) override;
  void removeItem(int index) override;
  void setItemText(int index, const base::TextValue& text) override;
  void clearItems() override;
  int currentIndex() const override { return store_.current; }
  bool isSelected(int index) const override;
  void setSelected(int index, bool selected) override;

  // A click on item `index`: alone it selects only that item; with Ctrl it toggles the item; with
  // Shift it selects the range from the current item. The item becomes current.
  void userPick(int index, int keys = kNoKeys);
  void userDoubleClick(int index);

 protected:
  // The item becomes current and the only one selected (none: nothing selected).
  void applyCurrentIndex(int index) override;

 private:
  ItemStore store_;
  std::vector<bool> selected_;
};

class HeadlessCheckedListBox : public HeadlessControl<CheckedListBox> {
 public:
  using HeadlessControl::HeadlessControl;

  std::vector<base::TextValue> items() const override { return store_.texts; }
  void insertItem(int index, const base::TextValue& text) override;
  void removeItem(int index) override;
  void setItemText(int index, const base::TextValue& text) override;
  void clearItems() override;
  int currentIndex() const override { return store_.current; }
  bool isChecked(int index) const override;
  void setChecked(int index, bool checked) override;

  void userPick(int index);
  // A click on the item's check box: its check state flips, then it becomes current
  // (onSelectionChanged).
  void userToggle(int index);

 protected:
  void applyCurrentIndex(int index) override { store_.current = index; }

 private:
  ItemStore store_;
  std::vector<bool> checked_;
};

}  // namespace ui::headless
