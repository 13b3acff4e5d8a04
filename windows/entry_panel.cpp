#include "windows/entry_panel.h"

#include <algorithm>
#include <limits>

#include "base/number_text.h"
#include "forms/composite_value.h"
#include "lists/field_display_text.h"
#include "recorddb/record_database.h"
#include "support/tree_item_query.h"
#include "windows/entry_panel_layout.h"
#include "windows/field_control_tag.h"
#include "windows/owned_window_keys.h"
#include "windows/panel_hints.h"

namespace windows {
namespace {

constexpr ui::Color kKeyFieldRed = 255;
constexpr char kAppendFailed[] = "录入新记录时创建失败，请重开软件再试，还是不行请删除然后新建！";
constexpr char kIdsExhausted[] = "这个列表的记录编号已经用完，不能再录入新记录！";
constexpr char kSelectBeforeModify[] = "修改前先选中一个记录！";
constexpr char kSelectedRecordGone[] = "找不到选中的记录，没有修改。";
constexpr char kNotAllWritten[] = "有字段没能写入，列表中显示的是保存下来的内容。";
constexpr char kDiscardQuestion[] = "面板中有还没保存的内容，关闭后这些内容会丢失。确定要关闭吗？";
constexpr char kNewRecordState[] = "新记录";
constexpr char kUnsavedState[] = "（有改动，还没保存）";
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

const char* templateName(PanelTemplate from) {
  switch (from) {
    case PanelTemplate::Label: return kLabelTemplate;
    case PanelTemplate::EditBox: return kEditBoxTemplate;
    case PanelTemplate::CheckBox: return kCheckBoxTemplate;
    case PanelTemplate::KeyButton: return kKeyButtonTemplate;
  }
  return kLabelTemplate;
}

// The bytes the stored text of field `number` of the current database may take; 0 for a field that
// holds no text of fixed length (or that the database does not have).
std::size_t textCapacity(const std::optional<recorddb::DatabaseLayout>& layout, int number) {
  if (!layout || number < 1 || number > static_cast<int>(layout->fields.size())) return 0;
  const recorddb::FieldLayout& field = layout->fields[static_cast<std::size_t>(number - 1)];
  return field.type == recorddb::kTypeText ? static_cast<std::size_t>(std::max(field.declaredLength, 0)) : 0;
}

}  // namespace

EntryPanel::EntryPanel(EntryPanelContext context)
    : context_(std::move(context)), window_(context_.toolkit.createWindow(entryPanelLayout(), &context_.owner)) {
  ui::Window& w = *window_;
  // The templates' handlers come with every copy, told which copy raised the event.
  auto& editTemplate = w.get<ui::EditBox>(kEditBoxTemplate);
  editTemplate.onFocusGained = [this](ui::Control& box) { onBoxFocused(box); };
  editTemplate.onFocusLost = [](ui::Control& box) { applyHint(dynamic_cast<ui::EditBox&>(box)); };
  editTemplate.onContentChanged = [this](ui::EditBox& box) { onBoxChanged(box); };
  w.control(kCheckBoxTemplate)->onClick = [this](ui::Control& box) { onCheckBoxClicked(dynamic_cast<ui::CheckBox&>(box)); };
  // The buttons change the list: none of them runs inside a page fill or a sort. Beside a PING run
  // the popup runs, and 录入 and 修改 say that they are refused.
  ui::EventGate& gate = context_.toolkit.eventGate();
  auto popup = gate.guard<ui::Control*>(ui::WhenBusy::RunBeside, [this](ui::Control* button) { showKeyValues(*button); });
  w.control(kKeyButtonTemplate)->onClick = [popup](ui::Control& button) { popup(&button); };
  auto add = gate.guard(ui::WhenBusy::RunBeside, [this] { addRecord(); });
  w.control(kAddRecordButton)->onClick = add;
  w.control(kClearButton)->onClick = [this](ui::Control&) { clear(); };
  // Ctrl+Enter anywhere in the panel adds the record, as "录入" does; Ctrl+Delete empties the boxes,
  // as "清空" does; Escape closes the panel.
  w.onKeyPress = [this, add](const ui::KeyPress& press) {
    if (closeOnEscape(*window_, press)) return true;
    if ((press.keys & ui::kCtrl) == 0) return false;
    if (press.key == ui::Key::Enter) {
      add();
      return true;
    }
    if (press.key == ui::Key::Delete) {
      clear();
      return true;
    }
    return false;
  };
  w.control(kModifyRecordButton)->onClick = gate.guard(ui::WhenBusy::RunBeside, [this] { modifyRecord(); });
  w.onCreated = [this] { rebuild(); };
  w.onQueryClose = [this] { return onQueryClose(); };
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
  if (closed_) return;
  closingQuietly_ = true;
  window_->close();
  closingQuietly_ = false;
}

bool EntryPanel::onQueryClose() {
  if (!closingQuietly_ && hasUnsavedInput()) {
    ui::MessageBoxRequest question;
    question.text = kDiscardQuestion;
    question.buttons = ui::MessageButtons::OkCancel;
    if (context_.toolkit.show(question) != ui::MessageAnswer::Ok) return false;
  }
  if (context_.rememberPosition) context_.rememberPosition(*window_);
  return true;
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
  metrics.clearButtonHeight = sizeOf(kClearButton).height;
  return metrics;
}

void EntryPanel::destroyGenerated() {
  fields_.clear();
  changed_.clear();
  for (ui::Control* control : generated_) window_->destroyControl(*control);
  generated_.clear();
}

void EntryPanel::followOpenList() {
  // The grid's column widths are kept in the form copy too; they do not change the boxes.
  const auto sameBoxes = [](const forms::FieldDefinition& a, const forms::FieldDefinition& b) {
    return a.name == b.name && a.kind == b.kind && a.length == b.length && a.key == b.key;
  };
  const forms::FormDefinition& open = context_.currentListForm;
  if (open.name != builtFor_.name || !std::equal(open.fields.begin(), open.fields.end(), builtFor_.fields.begin(),
                                                 builtFor_.fields.end(), sameBoxes)) {
    rebuild();
  }
}

void EntryPanel::rebuild() {
  destroyGenerated();
  ui::Window& w = *window_;
  builtFor_ = context_.currentListForm;
  plan_ = planPanel(builtFor_, metrics());
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
  makeFields();
  scrollOffset_ = 0;
  fitToScreen();
  placeControls();
  for (const PanelField& field : fields_) {
    for (ui::EditBox* box : field.boxes) applyHint(*box);
    limitBoxes(field);
  }
  markSaved(std::nullopt);
  // Tab goes through the boxes in the order they were made, then to the buttons.
  std::vector<ui::Control*> tabOrder;
  for (std::size_t i = 0; i < generated_.size(); ++i) {
    if (plan_.controls[i].from != PanelTemplate::KeyButton && plan_.controls[i].from != PanelTemplate::Label) {
      tabOrder.push_back(generated_[i]);
    }
  }
  tabOrder.push_back(w.control(kAddRecordButton));
  tabOrder.push_back(w.control(kModifyRecordButton));
  tabOrder.push_back(w.control(kClearButton));
  w.setTabOrder(std::move(tabOrder));
  w.activate();
  const auto first = std::find_if(plan_.controls.begin(), plan_.controls.end(), [](const PlannedControl& planned) {
    return planned.from == PanelTemplate::EditBox || planned.from == PanelTemplate::CheckBox;
  });
  if (first != plan_.controls.end()) generated_[static_cast<std::size_t>(first - plan_.controls.begin())]->focus();
}

void EntryPanel::makeFields() {
  // The database says how many bytes each text field holds; the form copy may say otherwise.
  std::optional<recorddb::DatabaseLayout> layout;
  if (makeListCurrent()) layout = recorddb::currentDatabaseLayout();
  for (std::size_t i = 0; i < generated_.size(); ++i) {
    const PanelTemplate from = plan_.controls[i].from;
    if (from != PanelTemplate::EditBox && from != PanelTemplate::CheckBox) continue;
    const std::optional<ValueBoxTag> tag = parseValueBoxTag(plan_.controls[i].tag);
    if (!tag) continue;
    if (fields_.empty() || fields_.back().number != tag->field) {
      const auto index = static_cast<std::size_t>(tag->field - 1);
      const base::TextValue name = index < builtFor_.fields.size() ? builtFor_.fields[index].name : base::TextValue();
      fields_.push_back({tag->field, {tag->kind, name, textCapacity(layout, tag->field)}, {}, nullptr});
    }
    if (from == PanelTemplate::CheckBox) {
      fields_.back().checkBox = dynamic_cast<ui::CheckBox*>(generated_[i]);
    } else {
      fields_.back().boxes.push_back(dynamic_cast<ui::EditBox*>(generated_[i]));
    }
  }
}

PanelField* EntryPanel::fieldOf(const ui::Control& box) {
  for (PanelField& field : fields_) {
    if (std::find(field.boxes.begin(), field.boxes.end(), &box) != field.boxes.end()) return &field;
  }
  return nullptr;
}

void EntryPanel::limitBoxes(const PanelField& field) {
  if (field.field.capacity == 0) return;  // dates, numbers and memos take what they are given
  const FieldEntry entry = enteredFields({field}).front();
  for (std::size_t slot = 0; slot < field.boxes.size(); ++slot) {
    const std::size_t room = boxRoom(field.field, entry, static_cast<int>(slot) + 1);
    field.boxes[slot]->setMaxBytes(room == std::numeric_limits<std::size_t>::max() ? ui::kNoByteLimit : room);
  }
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
  window_->control(kClearButton)->setBounds(shifted(plan_.clearButton));
  window_->control(kStateLabel)->setBounds(shifted(plan_.stateLabel));
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

void EntryPanel::onBoxFocused(ui::Control& box) {
  clearHint(dynamic_cast<ui::EditBox&>(box));
  scrollIntoView(box);
}

void EntryPanel::onBoxChanged(ui::EditBox& box) {
  // A box being made or destroyed belongs to no field yet, or any more.
  const PanelField* field = fieldOf(box);
  if (field == nullptr) return;
  limitBoxes(*field);
  // Only the box that changed is read again: a memo may hold megabytes.
  const auto slot = static_cast<std::size_t>(std::find(field->boxes.begin(), field->boxes.end(), &box) -
                                             field->boxes.begin());
  const auto index = static_cast<std::size_t>(field - fields_.data());
  const bool same = index < saved_.size() && slot < saved_[index].texts.size() &&
                    saved_[index].texts[slot] == enteredText(box);
  noteChange(box, same);
}

void EntryPanel::onCheckBoxClicked(ui::CheckBox& box) {
  for (std::size_t i = 0; i < fields_.size() && i < saved_.size(); ++i) {
    if (fields_[i].checkBox == &box) noteChange(box, saved_[i].checked == box.checked());
  }
}

void EntryPanel::noteChange(const ui::Control& control, bool sameAsSaved) {
  if (sameAsSaved) {
    changed_.erase(&control);
  } else {
    changed_.insert(&control);
  }
  showState();
}

bool EntryPanel::hasUnsavedInput() const { return !changed_.empty(); }

void EntryPanel::markSaved(std::optional<int> recordNumber) {
  saved_ = enteredFields(fields_);
  savedRecord_ = recordNumber;
  changed_.clear();
  showState();
}

void EntryPanel::showState() {
  base::TextValue state = savedRecord_ ? "第 " + base::formatInteger(*savedRecord_) + " 条记录" : kNewRecordState;
  if (hasUnsavedInput()) state += kUnsavedState;
  ui::Control& label = *window_->control(kStateLabel);
  if (label.caption() != state) label.setCaption(state);
}

void EntryPanel::clear() {
  for (const PanelField& field : fields_) showEntry(field, {});
  markSaved(std::nullopt);
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

std::optional<PanelValues> EntryPanel::readBoxes() {
  std::variant<PanelValues, RefusedField> read = readPanel(fields_);
  if (auto* values = std::get_if<PanelValues>(&read)) return std::move(*values);
  const RefusedField& refused = std::get<RefusedField>(read);
  showExclamation(refused.message, {});
  if (refused.box != nullptr && !closed_) refused.box->focus();
  return std::nullopt;
}

void EntryPanel::addRecord() {
  if (context_.refusedDuringPing && context_.refusedDuringPing()) return;
  const std::optional<PanelValues> values = readBoxes();
  if (!values) return;
  if (!makeListCurrent() || !recorddb::appendRecord()) {
    // Reopening helps with every other failure, not with this one.
    const bool exhausted = recorddb::lastError() == recorddb::kDbRecordIdsExhausted;
    showExclamation(exhausted ? kIdsExhausted : kAppendFailed, recorddb::lastErrorText());
    return;
  }
  const std::optional<base::TextValue> writeError = writeRecord(*values);
  context_.showRecordRow({recorddb::currentRecordNumber(), false, std::nullopt});
  context_.grid.autoFitColumns(0, 0);
  context_.lists.saveListState(true);
  if (writeError) {
    // The boxes keep what was typed: the row shows what was stored of it.
    showExclamation(kNotAllWritten, *writeError);
    return;
  }
  rebuild();
}

void EntryPanel::modifyRecord() {
  if (context_.refusedDuringPing && context_.refusedDuringPing()) return;
  const int row = context_.grid.firstSelectedRow();
  if (row == -1) {
    showExclamation(kSelectBeforeModify, {});
    return;
  }
  const std::optional<PanelValues> values = readBoxes();
  if (!values) return;
  // Writing into whatever record happens to be current would overwrite another record.
  if (!makeListCurrent() || !recorddb::gotoRecordId(context_.grid.row(row).recordId)) {
    showExclamation(kSelectedRecordGone, recorddb::lastErrorText());
    return;
  }
  const std::optional<base::TextValue> writeError = writeRecord(*values);
  const int recordNumber = recorddb::currentRecordNumber();
  context_.showRecordRow({recordNumber, false, row});
  context_.grid.autoFitColumns(0, 0);
  context_.lists.saveListState(true);
  if (writeError) {
    showExclamation(kNotAllWritten, *writeError);
    return;
  }
  if (!closed_) markSaved(recordNumber);
}

void EntryPanel::showRecord(std::int32_t recordId) {
  if (closed_ || !makeListCurrent() || !recorddb::gotoRecordId(recordId)) return;
  const int recordNumber = recorddb::currentRecordNumber();
  // The boxes are filled without the focus moving: the panel stays where the user had scrolled it.
  showCurrentRecord(fields_);
  markSaved(recordNumber);
}

int EntryPanel::keyFieldItemOf(int field) const {
  // A key-field item carries its field's number.
  for (int item : context_.listSelection.keyFieldItems) {
    if (item >= 0 && item < context_.listTree.itemCount() && context_.listTree.item(item).data == field) return item;
  }
  return -1;
}

void EntryPanel::showKeyValues(ui::Control& button) {
  const KeyButtonTag tag = parseKeyButtonTag(button.tag());
  support::ChildItems values;
  if (const int keyItem = keyFieldItemOf(tag.field); keyItem >= 0) {
    support::TreeItemQuery query;
    query.load(context_.listTree);
    values = query.childrenAt(kValueItemLevel, keyItem);
  }
  popupField_ = tag.field;
  popupChoices_.clear();
  // Menu commands number the choices; the records they stand for are looked up by that number.
  std::vector<ui::MenuItem> items;
  for (std::size_t i = 0; i < values.texts.size(); ++i) {
    popupChoices_.push_back({values.texts[i], values.data[i]});
    items.push_back({values.texts[i], static_cast<int>(i) + 1});
  }
  context_.toolkit.showPopupMenu(*window_, context_.toolkit.cursorPosition(), kKeyValuesMenu, items);
}

void EntryPanel::onMenuCommand(int command) {
  if (command < 1 || command > static_cast<int>(popupChoices_.size())) return;
  const KeyValueChoice choice = popupChoices_[static_cast<std::size_t>(command - 1)];
  if (choice.caption.empty()) return;
  const int field = popupField_;
  const forms::FieldKindInfo kind = forms::fieldKindInfo(forms::fieldKindOf(context_.currentListForm, field));
  if (kind.stored != forms::StoredValue::Composite) {
    putText(field, 1, choice.caption);
    return;
  }
  // A link's value item shows its title; its record holds the whole value.
  base::TextValue stored;
  if (makeListCurrent() && recorddb::gotoRecordId(choice.recordId)) stored = lists::valueText(recorddb::readField(field));
  if (stored.empty()) stored = choice.caption;
  const std::vector<base::TextValue> pieces = forms::compositePieces(stored, 3);
  for (int slot = 1; slot <= std::min(kind.boxCount, 3); ++slot) {
    putText(field, slot, pieces[static_cast<std::size_t>(slot - 1)]);
  }
}

void EntryPanel::putText(int field, int slot, const base::TextValue& text) {
  for (const PanelField& panelField : fields_) {
    if (panelField.number != field || slot < 1 || slot > static_cast<int>(panelField.boxes.size())) continue;
    ui::EditBox& box = *panelField.boxes[static_cast<std::size_t>(slot - 1)];
    box.focus();
    box.setText(text);
    return;
  }
}

}  // namespace windows
