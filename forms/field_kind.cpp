#include "forms/field_kind.h"

#include <algorithm>

namespace forms {
namespace {

constexpr EntryBox kNoBox{0, InputMode::Any, ""};

constexpr EntryBox box(int width, std::string_view hint, InputMode input = InputMode::Any) {
  return EntryBox{width, input, hint};
}

// In selector order. Columns: code, name, selector index, column type and length, check box,
// boxes, sort kind, display rule, stored value, empty title.
constexpr std::array<FieldKindInfo, kFieldKindCount> kKinds{{
    {10, "文本型", 0, 0, 0, false, 1, {box(kWidthFromFieldLength, ""), kNoBox, kNoBox},
     SortKind::Bytes, DisplayRule::AsStored, StoredValue::Text},
    {8, "时间型", 1, 0, 0, false, 1, {box(30, "日期时间"), kNoBox, kNoBox},
     SortKind::Seconds, DisplayRule::AsStored, StoredValue::DateTime},
    {3, "整数型", 2, 0, 0, false, 1, {box(10, "整数", InputMode::Integer), kNoBox, kNoBox},
     SortKind::Integer, DisplayRule::AsStored, StoredValue::Integer},
    {5, "小数型", 3, 0, 0, false, 1, {box(20, "小数", InputMode::Decimal), kNoBox, kNoBox},
     SortKind::Integer, DisplayRule::AsStored, StoredValue::Single},
    {7, "逻辑型", 4, 0, 0, true, 0, {kNoBox, kNoBox, kNoBox},
     SortKind::Bytes, DisplayRule::AsStored, StoredValue::Logical},
    {12, "长文本型", 5, 0, 0, false, 1,
     {box(kWidthToRowEnd, "任意长度文本，可换行", InputMode::MultiLine), kNoBox, kNoBox},
     SortKind::Bytes, DisplayRule::AsStored, StoredValue::Text},
    {21, "自由时间型", 6, 10, 30, false, 1, {box(30, "自由的日期时间，可排序"), kNoBox, kNoBox},
     SortKind::Seconds, DisplayRule::AsStored, StoredValue::Text},
    {22, "链接型", 7, 10, 512, false, 2, {box(40, "链接的标题"), box(472, "链接的网址"), kNoBox},
     SortKind::Bytes, DisplayRule::FirstPiece, StoredValue::Composite, EmptyTitle::HostOfLastBox},
    {23, "FTP链接型", 8, 10, 80, false, 3,
     {box(15, "FTP用户名"), box(15, "FTP密码"), box(50, "服务器地址")},
     SortKind::Bytes, DisplayRule::ServerAndUser, StoredValue::Composite},
    {24, "QQ链接型", 9, 10, 55, false, 2,
     {box(40, "QQ链接的标题（可以留空）"), box(15, "QQ号", InputMode::Integer), kNoBox},
     SortKind::Bytes, DisplayRule::FirstPiece, StoredValue::Composite, EmptyTitle::LastBox},
    // A PING column holds the result text of the last check ("10.02 秒(状态码:200)" and longer).
    {25, "PING型", 10, 10, 64, false, 0, {kNoBox, kNoBox, kNoBox},
     SortKind::Bytes, DisplayRule::AsStored, StoredValue::Nothing},
}};

const FieldKindInfo* findKind(std::int32_t code) {
  auto it = std::find_if(kKinds.begin(), kKinds.end(),
                         [code](const FieldKindInfo& info) { return info.code == code; });
  return it == kKinds.end() ? nullptr : &*it;
}

}  // namespace

FieldKindInfo fieldKindInfo(std::int32_t code) {
  if (const FieldKindInfo* known = findKind(code)) return *known;
  FieldKindInfo asText = kKinds[0];
  asText.code = code;
  return asText;
}

bool isKnownFieldKind(std::int32_t code) { return findKind(code) != nullptr; }

std::int32_t kindFromSelectorIndex(int index) {
  if (index < 0 || index >= kFieldKindCount) return kKinds[0].code;
  return kKinds[static_cast<std::size_t>(index)].code;
}

int selectorIndexFromKind(std::int32_t code) {
  const FieldKindInfo* known = findKind(code);
  return known ? known->selectorIndex : 0;
}

}  // namespace forms
