#include "windows/entry_panel.h"

#include <algorithm>

#include "forms/composite_value.h"
#include "lists/field_display_text.h"
#include "recorddb/record_database.h"
#include "support/tree_item_query.h"
#include "windows/entry_panel_layout.h"
#include "windows/field_control_tag.h"
#include "windows/owned_window_keys.h"

namespace windows {
namespace {

constexpr ui::Color kHintGrey = 8421504;
constexpr ui::Color kKeyFieldRed = 255;
constexpr char kHintStart[] = "输入";
constexpr char kHintEnd[] = "..";
constexpr char kAppendFailed[] = "录入新记录时创建失败，请重开软件再试，还是不行请删除然后新建！";
constexpr char kIdsExhausted[] = "这个列表的记录编号已经用完，不能再录入新记录！";
constexpr char kSelectBeforeModify[] = "修改前先选中一个记录！";
constexpr char kSelectedRecordGone[] = "找不到选中的记录，没有修改。";
constexpr char kNotAllWritten[] = "有字段没能写入，列表中显示的是保存下来的内容。";
constexpr char kKeyValuesMenu[] = "动态菜单列表";
constexpr int kValueItemLevel = 3;  // list, key field, value
constexpr int kWheelStep = 90;      // pixels per notch: three rows

ui::InputMode inputModeOf(forms::InputMode input) {
  switch (input) {
    case forms::InputMode::Integer: return ui::InputMode::Integer;
    case forms::InputMode::Decimal: return ui::InputMode::Decimal;
    case forms::InputMode::Any:
    case forms::InputMode::MultiLine: break;
  }
  return ui::InputMode::Any;
}

base::TextValue hintOf(const ValueBoxTag& tag) {
  const forms::FieldKindInfo kind = forms::fieldKindInfo(tag.kind);
  if (kind.boxCount < 1) return {};
  const int box = std::min(tag.slot, kind.boxCount);
  return base::TextValue(kind.boxes[static_cast<std::size_t>(box - 1)].hint);
}

const char* templateName(PanelTemplate from) {
  switch (from) {
    case PanelTemplate::Label: return kLabelTemplate;
    case PanelTemplate::EditBox: return kEditBoxTemplate;
    case PanelTemplate::CheckBox: return kCheckBoxTemplate;
    case PanelTemplate::KeyButton: return kKeyButtonTemplate;
  }
  return kLabelTemplate;
}

}  // namespace

void applyHint(ui::EditBox& box) {
  const std::optional<ValueBoxTag> tag = parseValueBoxTag(box.tag());
  if (!tag || !box.text().empty()) return;
  box.setTextColor(kHintGrey);
  box.setText(kHintStart + hintOf(*tag) + kHintEnd);
}

EntryPanel::EntryPanel(EntryPanelContext context)
    : context_(std::move(context)), window_(context_.toolkit.createWindow(entryPanelLayout(), &context_.owner)) {
  ui::Window& w = *window_;
  // The templates' handlers come with every copy, told which copy raised the event.
  ui::Control& editTemplate = *w.control(kEditBoxTemplate);
  editTemplate.onFocusGained = [this](ui::Control& box) { onBoxFocused(box); };
  editTemplate.onFocusLost = [](ui::Control& box) { applyHint(dynamic_cast<ui::EditBox&>(box)); };
  // The buttons change the list; none of them runs inside work that is running.
  ui::EventGate& gate = context_.toolkit.eventGate();
  auto popup = gate.guard<ui::Control*>(ui::WhenBusy::Refuse, [this](ui::Control* button) { showKeyValues(*button); });
  w.control(kKeyButtonTemplate)->onClick = [popup](ui::Control& button) { popup(&button); };
  auto add = gate.guard(ui::WhenBusy::Refuse, [this] { addRecord(); });
  w.control(kAddRecordButton)->onClick = add;
  // Ctrl+Enter anywhere in the panel adds the record, as "录入" does; Escape closes the panel.
  w.onKeyPress = [this, add](const ui::KeyPress& press) {
    if (closeOnEscape(*window_, press)) return true;
    if (press.key != ui::Key::Enter || (press.keys & ui::kCtrl) == 0) return false;
    add();
    return true;
  };
  w.control(kModifyRecordButton)->onClick = gate.guard(ui::WhenBusy::Refuse, [this] { modifyRecord(); });
  w.onCreated = [this] { rebuild(); };
  w.onClosed = [this] { closed_ = true; };
  w.onCommand = [this](int command) { onMenuCommand(command); };
  w.onMouseWheel = [this](int delta, ui::Point) {
    // A turn of less than a notch (fine wheels, touchpads) still moves by one step.
    const int notches = delta / ui::kWheelNotch;
    scrollBy(-(notches != 0 ? notches : (delta > 0 ? 1 : -1)) * kWheelStep);
  };
}

EntryPanel::~EntryPanel() = default;

void EntryPanel::show() {
  if (window_->visible()) {
    window_->activate();
    return;
  }
  context_.toolkit.show(*window_);
}

void EntryPanel::close() {
  if (!closed_) window_->close();
}

PanelMetrics EntryPanel::metrics() const {
  const ui::Window& w = *window_;
  PanelMetrics metrics;
  metrics.clientWidth = w.clientSize().width;
  const auto sizeOf = [&w](const char* name) {
    const ui::Rect bounds = w.control(name)->bounds();
    return ui::Size{bounds.width, bounds.height};
  };
  metrics.label = sizeOf(kLabelTemplate);
  metrics.editBox = sizeOf(kEditBoxTemplate);
  metrics.checkBox = sizeOf(kCheckBoxTemplate);
  metrics.keyButton = sizeOf(kKeyButtonTemplate);
  metrics.addButtonHeight = sizeOf(kAddRecordButton).height;
  metrics.modifyButtonHeight = sizeOf(kModifyRecordButton).height;
  return metrics;
}

void EntryPanel::destroyGenerated() {
  for (ui::Control* control : generated_) window_->destroyControl(*control);
  generated_.clear();
}

void EntryPanel::rebuild() {
  destroyGenerated();
  ui::Window& w = *window_;
  plan_ = planPanel(context_.currentListForm, metrics());
  for (const PlannedControl& planned : plan_.controls) {
    ui::Control& made = w.copyControl(*w.control(templateName(planned.from)), planned.tag);
    made.setTag(planned.tag);
    if (planned.from == PanelTemplate::Label) {
      made.setCaption(planned.caption);
      if (planned.keyField) made.setTextColor(kKeyFieldRed);
    }
    if (auto* edit = dynamic_cast<ui::EditBox*>(&made); edit && planned.from == PanelTemplate::EditBox) {
      edit->setInputMode(inputModeOf(planned.input));
      edit->setMultiLine(planned.input == forms::InputMode::MultiLine);
    }
    generated_.push_back(&made);
  }
  scrollOffset_ = 0;
  fitToScreen();
  placeControls();
  for (ui::EditBox* box : boxes().editBoxes) applyHint(*box);
  // Tab goes through the boxes in the order they were made, then to the two buttons.
  std::vector<ui::Control*> tabOrder;
  for (std::size_t i = 0; i < generated_.size(); ++i) {
    if (plan_.controls[i].from != PanelTemplate::KeyButton && plan_.controls[i].from != PanelTemplate::Label) {
      tabOrder.push_back(generated_[i]);
    }
  }
  tabOrder.push_back(w.control(kAddRecordButton));
  tabOrder.push_back(w.control(kModifyRecordButton));
  w.setTabOrder(std::move(tabOrder));
  w.activate();
  const auto first = std::find_if(plan_.controls.begin(), plan_.controls.end(), [](const PlannedControl& planned) {
    return planned.from == PanelTemplate::EditBox || planned.from == PanelTemplate::CheckBox;
  });
  if (first != plan_.controls.end()) generated_[static_cast<std::size_t>(first - plan_.controls.begin())]->focus();
}

void EntryPanel::fitToScreen() {
  const ui::Rect area = context_.toolkit.screenArea();
  const ui::Rect bounds = window_->bounds();
  // Below the screen's work area nothing can be seen: the panel ends there and scrolls.
  const int room = std::max(area.bottom() - bounds.top, 0);
  const int height = plan_.windowHeight > room && room > 0 ? room : plan_.windowHeight;
  window_->setBounds({bounds.left, bounds.top, bounds.width, height});
  scrollRange_ = std::max(plan_.windowHeight - height, 0);
  scrollOffset_ = std::clamp(scrollOffset_, 0, scrollRange_);
}

void EntryPanel::placeControls() {
  const auto shifted = [this](ui::Rect bounds) {
    bounds.top -= scrollOffset_;
    return bounds;
  };
  for (std::size_t i = 0; i < generated_.size(); ++i) {
    generated_[i]->setBounds(shifted(plan_.controls[i].bounds));
    generated_[i]->setVisible(true);
  }
  window_->control(kAddRecordButton)->setBounds(shifted(plan_.addButton));
  window_->control(kModifyRecordButton)->setBounds(shifted(plan_.modifyButton));
}

void EntryPanel::scrollBy(int pixels) {
  const int offset = std::clamp(scrollOffset_ + pixels, 0, scrollRange_);
  if (offset == scrollOffset_) return;
  scrollOffset_ = offset;
  placeControls();
}

void EntryPanel::scrollIntoView(const ui::Control& control) {
  if (scrollRange_ == 0) return;
  const auto at = std::find(generated_.begin(), generated_.end(), &control);
  if (at == generated_.end()) return;
  const ui::Rect planned = plan_.controls[static_cast<std::size_t>(at - generated_.begin())].bounds;
  const int clientHeight = window_->clientSize().height;
  constexpr int kMargin = 10;
  if (planned.top - scrollOffset_ < 0) {
    scrollBy(planned.top - kMargin - scrollOffset_);
  } else if (planned.bottom() - scrollOffset_ > clientHeight) {
    scrollBy(planned.bottom() + kMargin - clientHeight - scrollOffset_);
  }
}

PanelBoxes EntryPanel::boxes() const {
  PanelBoxes boxes;
  for (std::size_t i = 0; i < generated_.size(); ++i) {
    if (plan_.controls[i].from == PanelTemplate::EditBox) {
      boxes.editBoxes.push_back(dynamic_cast<ui::EditBox*>(generated_[i]));
    } else if (plan_.controls[i].from == PanelTemplate::CheckBox) {
      boxes.checkBoxes.push_back(dynamic_cast<ui::CheckBox*>(generated_[i]));
    }
  }
  return boxes;
}

void EntryPanel::onBoxFocused(ui::Control& box) {
  // A box showing a hint is told by its grey colour alone.
  if (box.textColor() == kHintGrey) {
    box.setTextColor(ui::kBlack);
    box.setCaption({});
  }
  scrollIntoView(box);
}

bool EntryPanel::makeListCurrent() {
  const base::TextValue& list = context_.currentListForm.name;
  return !list.empty() && context_.lists.openListDatabase(list);
}

void EntryPanel::showExclamation(const base::TextValue& text, const base::TextValue& caption) {
  ui::MessageBoxRequest request;
  request.text = text;
  if (!caption.empty()) request.caption = caption;
  request.icon = ui::MessageIcon::Warning;
  context_.toolkit.show(request);
}

void EntryPanel::addRecord() {
  if (!makeListCurrent() || !recorddb::appendRecord()) {
    // Reopening helps with every other failure, not with this one.
    const bool exhausted = recorddb::lastError() == recorddb::kDbRecordIdsExhausted;
    showExclamation(exhausted ? kIdsExhausted : kAppendFailed, recorddb::lastErrorText());
    return;
  }
  const bool written = transfer(TransferDirection::PanelToRecord);
  const base::TextValue writeError = written ? base::TextValue() : recorddb::lastErrorText();
  context_.showRecordRow({recorddb::currentRecordNumber(), false, std::nullopt});
  context_.grid.autoFitColumns(0, 0);
  rebuild();
  context_.lists.saveListState(true);
  if (!written) showExclamation(kNotAllWritten, writeError);
}

void EntryPanel::modifyRecord() {
  const int row = context_.grid.firstSelectedRow();
  if (row == -1) {
    showExclamation(kSelectBeforeModify, {});
    return;
  }
  // Writing into whatever record happens to be current would overwrite another record.
  if (!makeListCurrent() || !recorddb::gotoRecordId(context_.grid.row(row).recordId)) {
    showExclamation(kSelectedRecordGone, recorddb::lastErrorText());
    return;
  }
  const bool written = transfer(TransferDirection::PanelToRecord);
  const base::TextValue writeError = written ? base::TextValue() : recorddb::lastErrorText();
  context_.showRecordRow({recorddb::currentRecordNumber(), false, row});
  context_.grid.autoFitColumns(0, 0);
  context_.lists.saveListState(true);
  if (!written) showExclamation(kNotAllWritten, writeError);
}

bool EntryPanel::transfer(TransferDirection direction) {
  // Every box gets the focus in turn; the panel stays where the user had scrolled it.
  const int offset = scrollOffset_;
  const bool written = transferRecord(direction, boxes());
  scrollBy(offset - scrollOffset_);
  return written;
}

void EntryPanel::showRecord(std::int32_t recordId) {
  if (closed_ || !makeListCurrent() || !recorddb::gotoRecordId(recordId)) return;
  (void)transfer(TransferDirection::RecordToPanel);
}

void EntryPanel::showKeyValues(ui::Control& button) {
  const KeyButtonTag tag = parseKeyButtonTag(button.tag());
  const std::vector<int>& keyItems = context_.listSelection.keyFieldItems;
  support::ChildItems values;
  if (tag.keyOrdinal >= 1 && tag.keyOrdinal <= static_cast<int>(keyItems.size())) {
    support::TreeItemQuery query;
    query.load(context_.listTree);
    values = query.childrenAt(kValueItemLevel, keyItems[static_cast<std::size_t>(tag.keyOrdinal - 1)]);
  }
  popupField_ = tag.field;
  menuItems_.clear();
  for (std::size_t i = 0; i < values.texts.size(); ++i) menuItems_.push_back({values.texts[i], values.data[i]});
  context_.toolkit.showPopupMenu(*window_, context_.toolkit.cursorPosition(), kKeyValuesMenu, menuItems_);
}

void EntryPanel::onMenuCommand(int command) {
  const auto item = std::find_if(menuItems_.begin(), menuItems_.end(),
                                 [command](const ui::MenuItem& menuItem) { return menuItem.command == command; });
  if (item == menuItems_.end() || item->caption.empty()) return;
  const base::TextValue caption = item->caption;
  const int field = popupField_;
  const forms::FieldKindInfo kind = forms::fieldKindInfo(forms::fieldKindOf(context_.currentListForm, field));
  if (kind.stored != forms::StoredValue::Composite) {
    putText(field, 1, caption);
    return;
  }
  // A link's value item shows its title; its record holds the whole value.
  base::TextValue stored;
  if (makeListCurrent() && recorddb::gotoRecordId(command)) stored = lists::valueText(recorddb::readField(field));
  if (stored.empty()) stored = caption;
  const std::vector<base::TextValue> pieces = forms::compositePieces(stored, 3);
  for (int slot = 1; slot <= std::min(kind.boxCount, 3); ++slot) {
    putText(field, slot, pieces[static_cast<std::size_t>(slot - 1)]);
  }
}

void EntryPanel::putText(int field, int slot, const base::TextValue& text) {
  for (ui::EditBox* box : boxes().editBoxes) {
    const std::optional<ValueBoxTag> tag = parseValueBoxTag(box->tag());
    if (!tag || tag->field != field || tag->slot != slot) continue;
    box->focus();
    box->setText(text);
    return;
  }
}

}  // namespace windows
