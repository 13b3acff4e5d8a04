#pragma once
// What the tree's current item means: the list it belongs to, the key field and the value chosen,
// the list whose page is open, and the key-field items and filed values of that list.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "base/text_value.h"

namespace lists {

inline constexpr int kNoListOpenYet = -2;

// Hashes texts and views alike, so that sets of texts can be searched with views.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

struct ListSelection {
  int openListItem = kNoListOpenYet;  // the list item whose page is open
  int listItem = -1;                  // the list item of the current selection
  base::TextValue listName;
  int keyFieldItem = -1;  // the chosen key field's item; -1 when a list item is chosen
  base::TextValue keyFieldName;
  std::int32_t keyFieldNumber = 0;
  // A value item is chosen: only records whose key field shows filterValue (which may be empty)
  // are on the page.
  bool filtering = false;
  base::TextValue filterValue;  // the chosen value; empty when no value item is chosen

  std::vector<int> keyFieldItems;  // the key-field items of the list at listItem, in tree order
  // Per key-field item, the values that have an item under it (compared byte for byte; looked up
  // by views, so that a value already filed costs no copy).
  std::vector<std::unordered_set<std::string, TextHash, std::equal_to<>>> valueSets;

  bool skipNextSelection = false;  // the next selection change only clears this
};

}  // namespace lists
