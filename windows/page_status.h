#pragma once
// The line at the bottom of the main window: the open list, the filter of the page, and how many of
// the list's records the page shows ("示例表单 · 平台 = 阿里云 · 3 / 120 条"), with a note on what
// the program just did for the user, when there is one.

#include "base/text_value.h"

namespace windows {

struct PageStatus {
  base::TextValue listName;  // empty: no list is open
  bool filtering = false;
  base::TextValue keyFieldName;
  base::TextValue filterValue;
  int shownRows = 0;
  int listRecords = 0;
  base::TextValue note;
};

base::TextValue pageStatusText(const PageStatus& status);
// A filter as the status line names it: "平台 = 阿里云" ("平台 = （空）" for the empty value).
base::TextValue filterText(const base::TextValue& keyFieldName, const base::TextValue& filterValue);

}  // namespace windows
