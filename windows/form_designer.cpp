#include "windows/form_designer.h"

#include "base/number_text.h"
#include "forms/field_kind.h"
#include "recorddb/record_database.h"
#include "ui/list_controls.h"
#include "ui/simple_controls.h"
#include "windows/form_designer_layout.h"
#include "windows/owned_window_keys.h"

namespace windows {
namespace {

constexpr std::int32_t kMaxTextLength = 512;
constexpr char kMaxTextLengthText[] = "512";
constexpr char kDefaultLengthText[] = "50";
constexpr char kLengthTooLarge[] = "文本型最大长度512，如需要更长请选择超长文本型";
constexpr char kNoFieldToDelete[] = "请先选中一个字段再删除！";

base::TextValue fieldNameTooLong(const base::TextValue& name) {
  const auto limit = static_cast<std::int64_t>(recorddb::kMaxFieldNameBytes);
  return "字段名最多 " + base::formatInteger(limit) + " 个字节，也就是 " + base::formatInteger(limit / 2) + " 个汉字或 " +
         base::formatInteger(limit) + " 个字母、数字；“" + name + "”有 " +
         base::formatInteger(static_cast<std::int64_t>(name.size())) + " 个字节，只保留了前 " + base::formatInteger(limit) +
         " 个字节。";
}
constexpr int kTextSelectorIndex = 0;
constexpr auto kPing = static_cast<std::int32_t>(forms::FieldKind::Ping);

// Sets the populating guard for a scope and puts the previous value back after it.
class PopulatingScope {
 public:
  explicit PopulatingScope(bool& guard) : guard_(guard), previous_(guard) { guard_ = true; }
  ~PopulatingScope() { guard_ = previous_; }
  PopulatingScope(const PopulatingScope&) = delete;
  PopulatingScope& operator=(const PopulatingScope&) = delete;

 private:
  bool& guard_;
  bool previous_;
};

}  // namespace

FormDesigner::FormDesigner(FormDesignerContext context)
    : context_(std::move(context)),
      window_(context_.toolkit.createWindow(formDesignerLayout(), context_.owner)),
      formList_(window_->get<ui::ListBox>("列表框表单库")),
      formName_(window_->get<ui::EditBox>("编辑框表单名称")),
      fieldList_(window_->get<ui::ListBox>("列表框字段列表")),
      fieldName_(window_->get<ui::EditBox>("编辑框字段名称")),
      kindList_(window_->get<ui::ComboBox>("组合框字段类型")),
      keyBox_(window_->get<ui::CheckBox>("选择框关键")),
      lengthBox_(window_->get<ui::EditBox>("编辑框字段长度")),
      linkList_(window_->get<ui::ComboBox>("组合框关联字段")) {
  for (int index = 0; index < forms::kFieldKindCount; ++index) {
    kindList_.addItem(base::TextValue(forms::fieldKindInfo(forms::kindFromSelectorIndex(index)).shownName));
  }
  // "|" separates the parts of a stored field list, so a field name cannot hold it.
  fieldName_.setRejectedCharacters("|");
  lengthBox_.setInputMode(ui::InputMode::Integer);

  window_->onCreated = [this] { onOpened(); };
  window_->onClosed = [this] { closed_ = true; };
  window_->onKeyPress = [this](const ui::KeyPress& press) { return closeOnEscape(*window_, press); };
  // None of the designer's events runs inside running work: an edit waits until the work has
  // returned (its latest state counts), a button press is refused.
  ui::EventGate& gate = context_.toolkit.eventGate();
  const auto edit = [&gate](std::function<void()> handler) { return gate.guard(ui::WhenBusy::RunAfter, std::move(handler)); };
  const auto press = [&gate](std::function<void()> handler) { return gate.guard(ui::WhenBusy::Refuse, std::move(handler)); };
  formList_.onSelectionChanged = edit([this] { onFormSelected(); });
  formName_.onContentChanged = edit([this] { writeFormBack(); });
  window_->control("按钮添加表单")->onClick = press([this] { addForm(); });
  window_->control("按钮删除表单")->onClick = press([this] { deleteForm(); });
  fieldList_.onSelectionChanged = edit([this] { onFieldSelected(); });
  fieldName_.onContentChanged = edit([this] { onFieldNameChanged(); });
  fieldName_.onEnter = press([this] { addField(); });
  kindList_.onSelectionChanged = edit([this] { onKindChanged(); });
  keyBox_.onClick = edit([this] { writeFieldBack(); });
  lengthBox_.onContentChanged = edit([this] { onLengthChanged(); });
  linkList_.onSelectionChanged = edit([this] { writeFieldBack(); });
  window_->control("按钮添加字段")->onClick = press([this] { addField(); });
  window_->control("按钮删除字段")->onClick = press([this] { deleteField(); });
  window_->control("按钮上移字段")->onClick = press([this] { moveField(-1); });
  window_->control("按钮下移字段")->onClick = press([this] { moveField(+1); });
}

FormDesigner::~FormDesigner() = default;

void FormDesigner::show() { context_.toolkit.show(*window_); }

int FormDesigner::currentForm() const { return formList_.currentIndex(); }
int FormDesigner::currentField() const { return fieldList_.currentIndex(); }

void FormDesigner::onOpened() {
  std::vector<base::TextValue> names;
  for (const forms::FormDefinition& form : context_.library.forms()) names.push_back(form.name);
  formList_.setItems(names);
  formList_.setCurrentIndex(forms::readSelectedFormIndex(context_.settings, 0));
  onFormSelected();
}

void FormDesigner::onFormSelected() {
  const int form = currentForm();
  window_->control("按钮删除表单")->setEnabled(form >= 0);
  formName_.setEnabled(form >= 0);
  if (form < 0) {
    fieldList_.clearItems();
    state_.fields.clear();
    onFieldSelected();
    return;
  }
  const forms::FormDefinition& stored = context_.library.forms()[static_cast<std::size_t>(form)];
  state_.fields = stored.fields;
  formName_.setText(base::TextValue(stored.name));  // writes the form back, saving the library
  std::vector<base::TextValue> names;
  for (const forms::FieldDefinition& field : state_.fields) names.push_back(field.name);
  fieldList_.setItems(names);
  fieldList_.setCurrentIndex(0);
  onFieldSelected();
  formName_.focus();
}

void FormDesigner::onFieldSelected() {
  const int index = currentField();
  const bool selected = index >= 0;
  for (ui::Control* editor : {static_cast<ui::Control*>(&fieldName_), static_cast<ui::Control*>(&kindList_),
                              static_cast<ui::Control*>(&lengthBox_), window_->control("按钮删除字段")}) {
    editor->setEnabled(selected);
  }
  if (!selected) return;

  PopulatingScope populating(state_.populating);
  const forms::FieldDefinition field = state_.fields[static_cast<std::size_t>(index)];
  fieldName_.setText(field.name);
  kindList_.setCurrentIndex(forms::selectorIndexFromKind(field.kind));
  onKindChanged();
  lengthBox_.setText(base::formatInteger(field.length));
  fieldName_.focus();
  selectLinkChoice(field.link);
  keyBox_.setChecked(field.key);
}

void FormDesigner::onKindChanged() {
  const int selectorIndex = kindList_.currentIndex();
  const std::int32_t kind = forms::kindFromSelectorIndex(selectorIndex);
  lengthBox_.setEnabled(selectorIndex == kTextSelectorIndex);
  if (kind == kPing) fillLinkChoices();
  // The link selector and its label take the place of the length box and its label, which step
  // aside so that no edge of them shows around the selector (it is a pixel lower than the box).
  window_->control("标签4")->setVisible(kind == kPing);
  linkList_.setVisible(kind == kPing);
  window_->control("标签3")->setVisible(kind != kPing);
  lengthBox_.setVisible(kind != kPing);
  writeFieldBack();
}

void FormDesigner::onLengthChanged() {
  if (base::textToInteger(lengthBox_.text()) > kMaxTextLength) {
    lengthBox_.setText(kMaxTextLengthText);
    showExclamation(kLengthTooLarge);
  }
  if (base::textToInteger(lengthBox_.text()) < 1) lengthBox_.setText(kDefaultLengthText);
  writeFieldBack();
}

void FormDesigner::onFieldNameChanged() {
  const base::TextValue name = fieldName_.text();
  if (!state_.populating && name.size() > recorddb::kMaxFieldNameBytes) {
    // A list's database could not take the name: it keeps what fits, and the user is told.
    fieldName_.setText(base::cutToBytes(name, recorddb::kMaxFieldNameBytes));
    showExclamation(fieldNameTooLong(name).c_str());
    return;
  }
  writeFieldBack();
}

void FormDesigner::writeFieldBack() {
  const int index = currentField();
  if (state_.populating || index < 0) return;
  forms::FieldDefinition field;
  field.name = fieldName_.text();
  field.kind = forms::kindFromSelectorIndex(kindList_.currentIndex());
  field.length = base::textToInteger(lengthBox_.text());
  const int link = linkList_.currentIndex();
  field.link = link >= 0 && link < static_cast<int>(linkChoiceFields_.size())
                   ? linkChoiceFields_[static_cast<std::size_t>(link)]
                   : -1;
  field.key = keyBox_.checked();
  if (static_cast<std::size_t>(index) >= state_.fields.size()) return;
  state_.fields[static_cast<std::size_t>(index)] = field;
  fieldList_.setItemText(index, field.name);
  writeFormBack();
}

void FormDesigner::writeFormBack() {
  const int form = currentForm();
  if (state_.populating || form < 0) return;
  forms::FormDefinition& stored = context_.library.forms()[static_cast<std::size_t>(form)];
  stored.name = formName_.text();
  stored.fields = state_.fields;
  formList_.setItemText(form, stored.name);
  saveLibrary();
  if (context_.refillFormSelector) context_.refillFormSelector(form, true);
}

void FormDesigner::addForm() {
  const bool copy = ui::isKeyHeld(context_.toolkit, ui::kCtrl) && currentForm() >= 0;
  std::vector<forms::FormDefinition>& library = context_.library.forms();
  if (!copy) {
    library.push_back(forms::FormDefinition{});
    fieldList_.clearItems();
    formList_.addItem("");
    formList_.setCurrentIndex(formList_.itemCount() - 1);
  } else {
    forms::FormDefinition duplicate = library[static_cast<std::size_t>(currentForm())];
    library.push_back(std::move(duplicate));
    formList_.addItem(library.back().name);
    formList_.setCurrentIndex(formList_.itemCount() - 1);
    saveLibrary();
    if (context_.refillFormSelector) context_.refillFormSelector(-1, false);
  }
  onFormSelected();
}

void FormDesigner::deleteForm() {
  const int form = currentForm();
  if (form < 0) return;
  std::vector<forms::FormDefinition>& library = context_.library.forms();
  library.erase(library.begin() + form);
  formList_.removeItem(form);
  formList_.setCurrentIndex(form);
  onFormSelected();
  saveLibrary();
  if (context_.refillFormSelector) context_.refillFormSelector(currentForm(), true);
}

void FormDesigner::addField() {
  state_.fields.push_back(forms::FieldDefinition{});
  keyBox_.setChecked(false);
  fieldList_.addItem("");
  fieldList_.setCurrentIndex(fieldList_.itemCount() - 1);
  fieldName_.setText("");  // the new field takes the kind, length and link the editors show
  fieldList_.focus();
  onFieldSelected();
}

void FormDesigner::deleteField() {
  const int index = currentField();
  if (index < 0) {
    showExclamation(kNoFieldToDelete);
    return;
  }
  forms::removeField(state_.fields, static_cast<std::size_t>(index));
  fieldList_.removeItem(index);
  fieldList_.setCurrentIndex(index);
  refreshLinkChoices();
  onFieldSelected();
  writeFormBack();
}

void FormDesigner::moveField(int step) {
  const int index = currentField();
  const int target = index + step;
  if (index < 0 || target < 0 || target >= fieldList_.itemCount()) return;
  forms::swapFields(state_.fields, static_cast<std::size_t>(index), static_cast<std::size_t>(target));
  fieldList_.setItemText(index, state_.fields[static_cast<std::size_t>(index)].name);
  fieldList_.setItemText(target, state_.fields[static_cast<std::size_t>(target)].name);
  fieldList_.setCurrentIndex(target);
  refreshLinkChoices();
  writeFormBack();
}

void FormDesigner::saveLibrary() { context_.library.save(context_.settings, currentForm()); }

void FormDesigner::fillLinkChoices() {
  linkList_.clearItems();
  linkChoiceFields_.clear();
  for (std::size_t n = 1; n <= state_.fields.size(); ++n) {
    const forms::FieldDefinition& field = state_.fields[n - 1];
    if (field.kind == kPing) continue;
    linkList_.addItem(field.name);
    linkChoiceFields_.push_back(static_cast<std::int32_t>(n));
  }
}

void FormDesigner::selectLinkChoice(std::int32_t link) {
  for (std::size_t i = 0; i < linkChoiceFields_.size(); ++i) {
    if (linkChoiceFields_[i] == link) {
      linkList_.setCurrentIndex(static_cast<int>(i));
      return;
    }
  }
}

void FormDesigner::refreshLinkChoices() {
  if (linkList_.itemCount() == 0) return;
  fillLinkChoices();
  const int index = currentField();
  if (index >= 0 && static_cast<std::size_t>(index) < state_.fields.size()) {
    selectLinkChoice(state_.fields[static_cast<std::size_t>(index)].link);
  }
}

void FormDesigner::showExclamation(const char* text) {
  ui::MessageBoxRequest request;
  request.text = text;
  request.icon = ui::MessageIcon::Warning;
  context_.toolkit.show(request);
}

}  // namespace windows
