#pragma once
// The tags of the entry panel's generated controls, which say which field a control belongs to:
//   name label of field j                  "字段_名称_" j
//   value box s (1..3) of field j, kind c  "字段_内容_" j "_" c "_值" s   (a logical field's check box: c = 7)
//   "▼" button of key field j, the k-th   "字段_内容_" k "_" j
// Split at "_", a value tag has five parts and a button tag four.

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/text_value.h"

namespace windows {

struct ValueBoxTag {
  int field = 0;            // 1-based position in the form
  std::int32_t kind = 0;    // the field's kind code
  int slot = 1;             // 1, 2, or 3 for any slot text other than "值1" and "值2"
};

struct KeyButtonTag {
  int keyOrdinal = 0;  // the field's place among the key fields that have boxes, from 1
  int field = 0;
};

base::TextValue nameLabelTag(int field);
base::TextValue valueBoxTag(const ValueBoxTag& tag);
base::TextValue keyButtonTag(const KeyButtonTag& tag);

// A tag of exactly five parts; nothing for any other tag.
std::optional<ValueBoxTag> parseValueBoxTag(std::string_view tag);
// Parts three and four of a tag cut or padded to four parts (missing numbers read as 0).
KeyButtonTag parseKeyButtonTag(std::string_view tag);

}  // namespace windows
