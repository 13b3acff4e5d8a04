#include "windows/entry_values.h"

#include <algorithm>
#include <limits>

#include "base/date_time.h"
#include "base/exact_number.h"
#include "base/number_text.h"
#include "forms/composite_value.h"
#include "forms/field_kind.h"
#include "lists/field_display_text.h"

namespace windows {
namespace {

constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max();
constexpr char kNothingWritten[] = "\r\n\r\n这次什么都没有写入。";
constexpr char kDateForms[] = "可以填写 2024-02-29、2024年2月29日、20240229 或 2024-02-29 10:05:00 这样的日期时间，也可以留空。";
constexpr char kWholeNumbers[] = "可以填写 -2147483648 到 2147483647 之间的整数，也可以留空。";
constexpr char kDecimals[] = "可以填写 12、-3.5、0.25 这样的小数（不用指数），也可以留空。";
constexpr char kSingleDigits[] = "小数型字段能准确保存大约 7 位有效数字，请减少位数。";
constexpr char kShorten[] = "请缩短内容。";
constexpr char kShortenOrTitle[] = "请缩短内容，或者填写一个较短的标题。";
constexpr char kUnseparable[] =
    "的内容保存后分不开：各个输入框中不能有“||”，除最后一个输入框外也不能以“|”结尾。";
constexpr char kRemoveBars[] = "请去掉这些竖线。";

base::TextValue refusalText(const EntryField& field, const base::TextValue& problem, const base::TextValue& advice) {
  return "字段“" + field.name + "”" + problem + "\r\n" + advice + kNothingWritten;
}

base::TextValue quoted(const base::TextValue& text) { return "“" + text + "”"; }

base::TextValue tooLongText(std::size_t bytes, std::size_t capacity) {
  return "最多只能保存 " + base::formatInteger(static_cast<std::int64_t>(capacity)) +
         " 个字节（一个汉字占 2 个字节），现在的内容有 " + base::formatInteger(static_cast<std::int64_t>(bytes)) +
         " 个字节。";
}

bool isBlank(const base::TextValue& text) { return text.find_first_not_of(" \t") == base::TextValue::npos; }

EntryReading readDate(const EntryField& field, const base::TextValue& text) {
  if (isBlank(text)) return recorddb::FieldValue::dateTime(base::kEmptyDateTime);
  if (const std::optional<base::DateTimeValue> value = base::readDateTime(text)) {
    return recorddb::FieldValue::dateTime(*value);
  }
  return EntryRefusal{1, refusalText(field, "的内容" + quoted(text) + "不是有效的日期时间。", kDateForms)};
}

EntryReading readInteger(const EntryField& field, const base::TextValue& text) {
  if (isBlank(text)) return recorddb::FieldValue::integer(0);
  const base::WholeNumber number = base::readWholeNumber(text);
  switch (number.reading) {
    case base::NumberReading::Exact: return recorddb::FieldValue::integer(number.value);
    case base::NumberReading::OutOfRange:
      return EntryRefusal{1, refusalText(field, "的内容" + quoted(text) + "超出了整数的范围。", kWholeNumbers)};
    case base::NumberReading::NotANumber:
    case base::NumberReading::TooPrecise: break;
  }
  return EntryRefusal{1, refusalText(field, "的内容" + quoted(text) + "不是整数。", kWholeNumbers)};
}

EntryReading readDecimal(const EntryField& field, const base::TextValue& text) {
  if (isBlank(text)) return recorddb::FieldValue::single(0.0F);
  const base::SingleNumber number = base::readSingleNumber(text);
  switch (number.reading) {
    case base::NumberReading::Exact: return recorddb::FieldValue::single(number.value);
    case base::NumberReading::TooPrecise:
      return EntryRefusal{1, refusalText(field,
                                         "的内容" + quoted(text) + "有效数字太多，保存后会变成 " +
                                             base::exactSingleText(number.value) + "。",
                                         kSingleDigits)};
    case base::NumberReading::OutOfRange:
      return EntryRefusal{1, refusalText(field, "的内容" + quoted(text) + "超出了小数型能保存的范围。", kDecimals)};
    case base::NumberReading::NotANumber: break;
  }
  return EntryRefusal{1, refusalText(field, "的内容" + quoted(text) + "不是小数。", kDecimals)};
}

EntryReading readText(const EntryField& field, const base::TextValue& text) {
  if (field.capacity > 0 && text.size() > field.capacity) {
    return EntryRefusal{1, refusalText(field, tooLongText(text.size(), field.capacity), kShorten)};
  }
  return recorddb::FieldValue::text(text);
}

base::TextValue emptyTitle(forms::EmptyTitle rule, const base::TextValue& lastBox) {
  switch (rule) {
    case forms::EmptyTitle::LastBox: return lastBox;
    case forms::EmptyTitle::HostOfLastBox: return forms::hostOfAddress(lastBox);
    case forms::EmptyTitle::Empty: break;
  }
  return {};
}

base::TextValue joined(const std::vector<base::TextValue>& pieces) {
  base::TextValue stored;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) stored += forms::kPieceSeparator;
    stored += pieces[i];
  }
  return stored;
}

int longestBox(const std::vector<base::TextValue>& texts) {
  const auto longest = std::max_element(texts.begin(), texts.end(),
                                        [](const base::TextValue& a, const base::TextValue& b) { return a.size() < b.size(); });
  return static_cast<int>(longest - texts.begin()) + 1;
}

// A link, FTP or QQ value: the pieces joined by "||", the first one made from the last box when it
// is left empty; refused when the pieces would not read back as they are, or do not fit.
EntryReading readComposite(const EntryField& field, const forms::FieldKindInfo& kind, const FieldEntry& entry) {
  std::vector<base::TextValue> pieces = entry.texts;
  pieces.resize(static_cast<std::size_t>(std::max(kind.boxCount, 1)));
  const bool titleMade = pieces.size() == 2 && pieces[0].empty() && kind.emptyTitle != forms::EmptyTitle::Empty;
  if (titleMade) pieces[0] = emptyTitle(kind.emptyTitle, pieces[1]);
  const base::TextValue stored = joined(pieces);
  const std::vector<base::TextValue> readBack = forms::compositePieces(stored, pieces.size());
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (readBack[i] == pieces[i]) continue;
    const int slot = titleMade && i == 0 ? 2 : static_cast<int>(i) + 1;
    return EntryRefusal{slot, refusalText(field, kUnseparable, kRemoveBars)};
  }
  if (field.capacity > 0 && stored.size() > field.capacity) {
    base::TextValue problem = "的各个输入框合起来（以“||”相连）" + tooLongText(stored.size(), field.capacity);
    if (titleMade) problem += "标题留空时，网址中的主机名会作为标题一起保存。";
    return EntryRefusal{longestBox(entry.texts), refusalText(field, problem, titleMade ? kShortenOrTitle : kShorten)};
  }
  return recorddb::FieldValue::text(stored);
}

}  // namespace

EntryReading readEntry(const EntryField& field, const FieldEntry& entry) {
  const forms::FieldKindInfo kind = forms::fieldKindInfo(field.kind);
  const base::TextValue first = entry.texts.empty() ? base::TextValue() : entry.texts.front();
  switch (kind.stored) {
    case forms::StoredValue::DateTime: return readDate(field, first);
    case forms::StoredValue::Integer: return readInteger(field, first);
    case forms::StoredValue::Single: return readDecimal(field, first);
    case forms::StoredValue::Logical: return recorddb::FieldValue::logical(entry.checked);
    case forms::StoredValue::Composite: return readComposite(field, kind, entry);
    case forms::StoredValue::Text:
    case forms::StoredValue::Nothing: break;
  }
  return readText(field, first);
}

std::size_t boxRoom(const EntryField& field, const FieldEntry& entry, int slot) {
  const forms::FieldKindInfo kind = forms::fieldKindInfo(field.kind);
  const bool fixedLength = kind.stored == forms::StoredValue::Text || kind.stored == forms::StoredValue::Composite;
  if (!fixedLength || field.capacity == 0) return kUnlimited;
  std::size_t taken = 0;
  if (kind.stored == forms::StoredValue::Composite) {
    const auto boxes = static_cast<std::size_t>(std::max(kind.boxCount, 1));
    taken = (boxes - 1) * forms::kPieceSeparator.size();
    for (std::size_t i = 0; i < entry.texts.size() && i < boxes; ++i) {
      if (static_cast<int>(i) + 1 != slot) taken += entry.texts[i].size();
    }
  }
  return field.capacity > taken ? field.capacity - taken : 0;
}

FieldEntry entryOfValue(const recorddb::FieldValue& value, std::int32_t kind, int boxCount) {
  const forms::FieldKindInfo info = forms::fieldKindInfo(kind);
  FieldEntry entry;
  if (info.hasCheckBox) {
    entry.checked = base::isTrueText(lists::valueText(value));
    return entry;
  }
  base::TextValue text = value.kind() == recorddb::ValueKind::Single
                             ? base::exactSingleText(static_cast<float>(value.asReal()))
                             : lists::valueText(value);
  if (info.stored == forms::StoredValue::Composite) {
    entry.texts = forms::compositePieces(text, static_cast<std::size_t>(std::max(boxCount, 1)));
  } else {
    entry.texts.push_back(std::move(text));
  }
  entry.texts.resize(static_cast<std::size_t>(std::max(boxCount, 0)));
  return entry;
}

}  // namespace windows
