#pragma once
// FieldKind: the kinds of form fields, and one table of everything a kind decides across the system
// (its name, its place in the designer's kind list, its database column, its entry boxes and their
// hints, how its column sorts and how its stored value is shown). Other modules look kinds up here.

#include <array>
#include <cstdint>
#include <string_view>

namespace forms {

enum class FieldKind : std::int32_t {
  Text = 10,
  Time = 8,
  Integer = 3,
  Decimal = 5,
  Logical = 7,
  LongText = 12,
  FreeTime = 21,
  Link = 22,
  FtpLink = 23,
  QqLink = 24,
  Ping = 25,
};

// Number of kinds in the designer's kind list (selector indexes 0..10).
inline constexpr int kFieldKindCount = 11;

// What a value edit box of the entry panel accepts.
enum class InputMode { Any, Integer, Decimal, MultiLine };

// Width of an entry box, in character widths of the panel.
inline constexpr int kWidthFromFieldLength = -1;  // the field's length
inline constexpr int kWidthToRowEnd = -2;         // the rest of the row

struct EntryBox {
  int widthInCharacters;  // or one of the two special widths above
  InputMode input;
  std::string_view hint;  // shown grey in the empty box, after "输入"
};

// How a cell of the kind sorts in the grid (the grid's sort kinds).
enum class SortKind : int {
  ByteLength = 0,
  CharacterLength = 1,
  Bytes = 2,
  Letters = 3,
  Integer = 4,
  Digits = 5,
  Seconds = 6,
};

// How the grid shows the stored value.
enum class DisplayRule {
  AsStored,          // the value's text
  FirstPiece,        // "title||address": the title
  ServerAndUser,     // "user||password||server": server, or server(user)
};

// How an entered text becomes the stored value.
enum class StoredValue { Text, DateTime, Integer, Single, Logical, Composite, Nothing };

// What a composite value takes as its first piece when that box is left empty.
enum class EmptyTitle {
  Empty,         // nothing
  LastBox,       // the last box's text (a QQ number doubles as its title)
  HostOfLastBox, // the host of the address in the last box
};

struct FieldKindInfo {
  std::int32_t code;
  std::string_view shownName;
  int selectorIndex;
  std::int32_t columnType;    // database type code; 0: the kind's code itself
  std::int32_t columnLength;  // database column length; 0: the field's length
  bool hasCheckBox;           // a logical field is one check box instead of edit boxes
  int boxCount;               // value edit boxes on the entry panel (0: not on the panel)
  std::array<EntryBox, 3> boxes;
  SortKind sortKind;
  DisplayRule display;
  StoredValue stored;
  EmptyTitle emptyTitle = EmptyTitle::Empty;  // composite values only
};

// The kind's row of the table. A code that is no kind gets the row of FieldKind::Text, except
// that its `code` is the code asked for.
FieldKindInfo fieldKindInfo(std::int32_t code);

// Whether `code` is one of the eleven kinds.
bool isKnownFieldKind(std::int32_t code);

// Selector index 0..10 to kind code (an index outside gives Text's code).
std::int32_t kindFromSelectorIndex(int index);
// Kind code to selector index; a code that is no kind gives 0.
int selectorIndexFromKind(std::int32_t code);

}  // namespace forms
