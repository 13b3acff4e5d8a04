#include "windows/page_status.h"

#include "base/number_text.h"

namespace windows {
namespace {

constexpr char kNoListOpen[] = "没有打开列表";
constexpr char kPart[] = " · ";
constexpr char kEmptyValue[] = "（空）";

}  // namespace

base::TextValue filterText(const base::TextValue& keyFieldName, const base::TextValue& filterValue) {
  return keyFieldName + " = " + (filterValue.empty() ? base::TextValue(kEmptyValue) : filterValue);
}

base::TextValue pageStatusText(const PageStatus& status) {
  base::TextValue text = status.listName.empty() ? base::TextValue(kNoListOpen) : status.listName;
  if (!status.listName.empty()) {
    if (status.filtering) {
      text += kPart + filterText(status.keyFieldName, status.filterValue);
    }
    text += kPart + base::formatInteger(status.shownRows) + " / " + base::formatInteger(status.listRecords) + " 条";
  }
  if (!status.note.empty()) text += kPart + status.note;
  return text;
}

}  // namespace windows
