#pragma once
// FormLibrary: every form the user has designed, in order, kept in the settings section "表单库":
// "数量" (the count K), n "_名称" and n "_字段" for n = 1..K, and "索引" (the last selected form).

#include <vector>

#include "forms/form_definition.h"
#include "settings/settings_store.h"

namespace forms {

class FormLibrary {
 public:
  // Replaces the forms in memory by the stored ones.
  void load(settings::SettingsStore& store);
  // Writes every form, then "索引" = `selectedIndex` (-1 for none). Keys of forms beyond the count
  // stay in the store; they are never read.
  void save(settings::SettingsStore& store, int selectedIndex) const;
  // When the library is empty: stores the sample form "示例表单" and loads again. True when it seeded.
  bool seedIfEmpty(settings::SettingsStore& store);

  std::vector<FormDefinition>& forms() { return forms_; }
  const std::vector<FormDefinition>& forms() const { return forms_; }

 private:
  std::vector<FormDefinition> forms_;
};

// The remembered selected-form index ("索引"), 0-based or -1; `whenMissing` when none is stored.
int readSelectedFormIndex(settings::SettingsStore& store, int whenMissing = -1);
void writeSelectedFormIndex(settings::SettingsStore& store, int index);

// The sample form's name and field text.
extern const char* const kSampleFormName;
extern const char* const kSampleFieldText;

}  // namespace forms
