#include "forms/form_library.h"

#include <cmath>
#include <limits>

#include "base/number_text.h"
#include "forms/field_text.h"

namespace forms {

const char* const kSampleFormName = "示例表单";
const char* const kSampleFieldText =
    "平台|10|10|0|真||域名|10|30|0|假||IP|10|30|0|假||FTP|23|30|0|假||域名续费商|22|30|0|假||"
    "服务器续费商|22|30|0|假||域名到期|21|30|0|假||服务器到期|21|30|0|假||账号|10|30|12|假||"
    "密码|10|30|0|假||PING|25|30|3|假||备注|10|100|0|假";

namespace {

constexpr char kSection[] = "表单库";
constexpr char kCountKey[] = "数量";
constexpr char kSelectedKey[] = "索引";
constexpr char kNameSuffix[] = "_名称";
constexpr char kFieldsSuffix[] = "_字段";

// A stored count can hold anything. It is truncated toward zero; a count beyond what any library
// reaches is damage, and then the forms that are really stored (1, 2, ... while a name or field
// text exists) are loaded instead.
constexpr double kMaxForms = 100000;

base::TextValue formKey(std::size_t n, const char* suffix) {
  return base::formatInteger(static_cast<std::int64_t>(n)) + suffix;
}

}  // namespace

void FormLibrary::load(settings::SettingsStore& store) {
  store.selectSection(kSection);
  forms_.clear();
  double stored = std::trunc(store.readNumber(kCountKey, static_cast<double>(forms_.size())));
  if (!(stored >= 1)) return;
  const bool damaged = !(stored <= kMaxForms);
  const std::size_t count = damaged ? static_cast<std::size_t>(kMaxForms) : static_cast<std::size_t>(stored);
  for (std::size_t n = 1; n <= count; ++n) {
    FormDefinition form;
    form.name = store.readText(formKey(n, kNameSuffix));
    base::TextValue fieldText = store.readText(formKey(n, kFieldsSuffix));
    if (damaged && form.name.empty() && fieldText.empty()) break;
    form.fields = parseFieldSpecText(fieldText, kLibraryAttributes);
    forms_.push_back(std::move(form));
  }
}

void FormLibrary::save(settings::SettingsStore& store, int selectedIndex) const {
  store.selectSection(kSection);
  store.writeNumber(kCountKey, static_cast<double>(forms_.size()));
  for (std::size_t n = 1; n <= forms_.size(); ++n) {
    const FormDefinition& form = forms_[n - 1];
    store.writeText(formKey(n, kNameSuffix), form.name);
    store.writeText(formKey(n, kFieldsSuffix), formatFieldSpecText(form.fields, kLibraryAttributes));
  }
  writeSelectedFormIndex(store, selectedIndex);
}

bool FormLibrary::seedIfEmpty(settings::SettingsStore& store) {
  if (!forms_.empty()) return false;
  store.selectSection(kSection);
  store.writeNumber(kCountKey, 1);
  store.writeText(formKey(1, kNameSuffix), kSampleFormName);
  store.writeText(formKey(1, kFieldsSuffix), kSampleFieldText);
  load(store);
  return true;
}

int readSelectedFormIndex(settings::SettingsStore& store, int whenMissing) {
  store.selectSection(kSection);
  double stored = std::trunc(store.readNumber(kSelectedKey, whenMissing));
  if (!(stored >= -1)) return -1;  // also NaN
  if (stored > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(stored);
}

void writeSelectedFormIndex(settings::SettingsStore& store, int index) {
  store.selectSection(kSection);
  store.writeNumber(kSelectedKey, index);
}

}  // namespace forms
