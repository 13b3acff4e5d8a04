#include "settings/control_state.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "base/number_text.h"
#include "ui/list_controls.h"
#include "ui/simple_controls.h"

namespace settings {
namespace {

constexpr char kItemSeparator[] = "\r\n";

enum class StateKind { Button, EditBox, CheckBox, RadioButton, ComboBox, ListBox, CheckedListBox, ColorPicker };

struct KindPrefix {
  std::string_view prefix;
  StateKind kind;
};

// Checked in this order; the first prefix the name begins with decides.
constexpr KindPrefix kPrefixes[] = {
    {"按钮", StateKind::Button},           {"编辑框", StateKind::EditBox},
    {"选择框", StateKind::CheckBox},       {"单选框", StateKind::RadioButton},
    {"组合框", StateKind::ComboBox},       {"列表框", StateKind::ListBox},
    {"选择列表框", StateKind::CheckedListBox}, {"颜色选择器", StateKind::ColorPicker},
};

const KindPrefix* kindOf(const base::TextValue& name) {
  for (const KindPrefix& entry : kPrefixes) {
    if (name.compare(0, entry.prefix.size(), entry.prefix) == 0) return &entry;
  }
  return nullptr;
}

base::TextValue joinIndices(const std::vector<int>& indices) {
  base::TextValue text;
  for (int index : indices) {
    if (!text.empty()) text += ",";
    text += base::formatInteger(index);
  }
  return text;
}

std::vector<int> splitIndices(const base::TextValue& text) {
  std::vector<int> indices;
  for (const base::TextValue& piece : base::splitText(text, ",")) indices.push_back(base::textToInteger(piece));
  return indices;
}

// Marks exactly the listed items (selected or checked) and clears the others.
template <typename Mark>
void markExactly(int itemCount, const base::TextValue& indexList, Mark mark) {
  const std::vector<int> indices = splitIndices(indexList);
  for (int i = 0; i < itemCount; ++i) mark(i, std::find(indices.begin(), indices.end(), i) != indices.end());
}

base::TextValue joinItems(const std::vector<base::TextValue>& items) {
  base::TextValue bytes;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) bytes += kItemSeparator;
    bytes += items[i];
  }
  return bytes;
}

int truncated(double value) {
  if (!(value > -2147483648.0 && value < 2147483648.0)) return value > 0 ? 2147483647 : -2147483647 - 1;
  return static_cast<int>(std::trunc(value));
}

// One control's values, in one direction.
class StateWalker {
 public:
  StateWalker(SettingsStore& store, bool restore) : store_(store), restore_(restore) {}

  void text(const base::TextValue& key, bool bytesMode, base::TextValue& value) {
    if (bytesMode) {
      if (restore_) {
        value = store_.readBytes(key, value);
      } else {
        store_.writeBytes(key, value);
      }
    } else if (restore_) {
      value = store_.readText(key, value);
    } else {
      store_.writeText(key, value);
    }
  }

  void number(const base::TextValue& key, int& value) {
    if (restore_) {
      value = truncated(store_.readNumber(key, value));
    } else {
      store_.writeNumber(key, value);
    }
  }

  void logical(const base::TextValue& key, bool& value) {
    if (restore_) {
      value = store_.readLogical(key, value);
    } else {
      store_.writeLogical(key, value);
    }
  }

  void items(const base::TextValue& key, ui::ItemList& list) {
    base::TextValue bytes = joinItems(list.items());
    if (restore_) {
      bytes = store_.readBytes(key, bytes);
      list.setItems(base::splitText(bytes, kItemSeparator));
    } else {
      store_.writeBytes(key, bytes);
    }
  }

  bool restoring() const { return restore_; }

 private:
  SettingsStore& store_;
  bool restore_;
};

void walkControl(StateWalker& walk, ui::Control& control, StateKind kind, const ControlStateRequest& request) {
  const base::TextValue& name = control.name();
  const bool bytesMode = control.stateSaving() == ui::StateSaving::AsBytes;
  switch (kind) {
    case StateKind::Button: {
      base::TextValue tag = control.tag();
      walk.text(name + ".标记", bytesMode, tag);
      if (walk.restoring()) control.setTag(tag);
      break;
    }
    case StateKind::EditBox:
      if (auto* edit = dynamic_cast<ui::EditBox*>(&control)) {
        base::TextValue text = edit->text();
        walk.text(name, bytesMode, text);
        if (walk.restoring()) edit->setText(text);
      }
      break;
    case StateKind::CheckBox:
    case StateKind::RadioButton:
      if (auto* box = dynamic_cast<ui::CheckBox*>(&control)) {
        bool checked = box->checked();
        walk.logical(name, checked);
        if (walk.restoring()) box->setChecked(checked);
      }
      break;
    case StateKind::ComboBox:
      if (auto* combo = dynamic_cast<ui::ComboBox*>(&control)) {
        int index = combo->currentIndex();
        if (request.comboList) walk.items(name + ".列表", *combo);
        walk.number(name, index);
        if (walk.restoring()) combo->setCurrentIndex(index);
        if (request.comboContent) {
          base::TextValue text = combo->editText();
          walk.text(name + ".内容", false, text);
          if (walk.restoring()) combo->setEditText(text);
        }
      }
      break;
    case StateKind::ListBox:
      if (auto* list = dynamic_cast<ui::ListBox*>(&control)) {
        // The states are taken before the items, which a restore replaces.
        base::TextValue selected = joinIndices(list->selectedIndices());
        walk.items(name, *list);
        walk.text(name + ".选中", false, selected);
        if (walk.restoring()) {
          markExactly(list->itemCount(), selected, [list](int i, bool on) { list->setSelected(i, on); });
        }
      }
      break;
    case StateKind::CheckedListBox:
      if (auto* list = dynamic_cast<ui::CheckedListBox*>(&control)) {
        int current = list->currentIndex();
        base::TextValue checked = joinIndices(list->checkedIndices());
        walk.items(name, *list);
        walk.number(name + ".选中", current);
        if (walk.restoring()) list->setCurrentIndex(current);
        walk.text(name + ".打勾", false, checked);
        if (walk.restoring()) {
          markExactly(list->itemCount(), checked, [list](int i, bool on) { list->setChecked(i, on); });
        }
      }
      break;
    case StateKind::ColorPicker:
      if (auto* picker = dynamic_cast<ui::ColorPicker*>(&control)) {
        int color = static_cast<int>(picker->color());
        walk.number(name, color);
        if (walk.restoring()) picker->setColor(static_cast<ui::Color>(color));
      }
      break;
  }
}

}  // namespace

void saveOrRestoreControls(SettingsStore& store, const ControlStateRequest& request) {
  if (!request.window) return;
  if (!request.section.empty()) store.selectSection(request.section);
  StateWalker walk(store, request.restore);
  for (ui::Control* control : request.window->controls()) {
    store.letEventsRun();
    const base::TextValue& name = control->name();
    if (name.empty()) continue;
    if (std::find(request.excluded.begin(), request.excluded.end(), name) != request.excluded.end()) continue;
    const KindPrefix* kind = kindOf(name);
    if (!kind || control->stateSaving() == ui::StateSaving::NeverSaved) continue;
    walkControl(walk, *control, kind->kind, request);
  }
}

}  // namespace settings
