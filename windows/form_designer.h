#pragma once
// The form designer: a non-modal window in which the user creates, copies, renames and deletes
// library forms and edits their fields. Every edit goes to the library and the settings file at
// once; there is nothing to save or cancel, and closing loses nothing.

#include <functional>
#include <memory>
#include <vector>

#include "forms/form_library.h"
#include "settings/settings_store.h"
#include "ui/toolkit.h"

namespace ui {
class CheckBox;
class ComboBox;
class EditBox;
class ListBox;
}  // namespace ui

namespace windows {

struct FormDesignerContext {
  ui::Toolkit& toolkit;
  settings::SettingsStore& settings;
  forms::FormLibrary& library;
  ui::Window* owner = nullptr;
  // Refills the main window's forms selector: item `index` current when `select`, else none.
  std::function<void(int index, bool select)> refillFormSelector;
};

// What the designer edits: a copy of the current form's fields, the form and field shown, and the
// guard that keeps the designer's own filling of the editors from being written back.
struct DesignerState {
  std::vector<forms::FieldDefinition> fields;
  bool populating = false;
};

class FormDesigner {
 public:
  explicit FormDesigner(FormDesignerContext context);
  ~FormDesigner();

  ui::Window& window() { return *window_; }
  // Shows the window; the first time, it fills itself from the library and the stored "索引".
  void show();
  // Whether the window was closed (the object then only waits to be discarded).
  bool closed() const { return closed_; }

  const DesignerState& state() const { return state_; }

 private:
  void onOpened();
  void onFormSelected();
  void onFieldSelected();
  void onKindChanged();
  void onLengthChanged();
  // A name longer than a database field name can be is cut back, with a message.
  void onFieldNameChanged();
  void writeFieldBack();
  void writeFormBack();
  void addForm();
  void deleteForm();
  void addField();
  void deleteField();
  void moveField(int step);

  int currentForm() const;
  int currentField() const;
  void saveLibrary();
  void fillLinkChoices();
  void selectLinkChoice(std::int32_t link);
  // After fields moved or went: the linked-field choices name the fields by their new numbers.
  void refreshLinkChoices();
  void showExclamation(const char* text);

  FormDesignerContext context_;
  std::unique_ptr<ui::Window> window_;
  DesignerState state_;
  std::vector<std::int32_t> linkChoiceFields_;  // item data of the linked-field choices
  bool closed_ = false;

  ui::ListBox& formList_;
  ui::EditBox& formName_;
  ui::ListBox& fieldList_;
  ui::EditBox& fieldName_;
  ui::ComboBox& kindList_;
  ui::CheckBox& keyBox_;
  ui::EditBox& lengthBox_;
  ui::ComboBox& linkList_;
};

}  // namespace windows
