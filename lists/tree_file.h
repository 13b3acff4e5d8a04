#pragma once
// The tree data file: the list tree's whole item content, one record per item in pre-order, with
// no header and no count. A record is the item text in GBK followed by one 0 byte (at most 510
// text bytes), then five little-endian 32-bit numbers: image, selected image, data, state (bit 0
// bold, bit 1 expanded, bits 28-31 the state image) and depth (1 for a top-level item).
//
// Reading follows the depths as the tree was saved: a record as deep as the one before is its
// sibling, a deeper one is a child of the item before it, a shallower one goes back up to the
// nearest earlier level that is not deeper. Damaged files are read as far as they make sense:
// - a deeper record is always one level below the item before it, however large its depth;
// - a depth below 1 counts as 1;
// - a record shallower than every open level is a top-level item, and its depth is the top
//   level's from then on;
// - a truncated record, or a text without its 0 byte within 510 bytes, ends the reading; the items
//   before it are kept.
// So every item read has level 1, or at most one more than the item before it.
//
// The tree of lists is three levels deep (lists, key fields, values) and holds what a few large
// lists file; a file beyond that is cut where it stops making such a tree:
// - a record deeper than kMaxTreeLevels is a sibling of the item before it;
// - the records after the first kMaxTreeItems are not read (the reading says it cut them).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_value.h"
#include "ui/tree_view.h"

namespace lists {

// The longest item text the file keeps, in bytes; longer texts are cut at a character boundary.
inline constexpr std::size_t kMaxTreeTextBytes = 510;
inline constexpr int kMaxTreeLevels = 32;
inline constexpr std::size_t kMaxTreeItems = 1000000;

struct TreeFileRecord {
  ui::TreeItemInfo info;    // item, level and parent as read (bold and expanded from the state)
  std::uint32_t state = 0;  // the state word as stored, every bit
};

struct TreeFileContent {
  std::vector<TreeFileRecord> records;
  bool damaged = false;  // the bytes ended inside a record: `records` are those before it
  bool cut = false;      // more than kMaxTreeItems records: `records` are the first of them
};

// The file bytes of `items` (a tree's snapshot, in pre-order). The tree view keeps no state
// image, so bits 28-31 are written 0.
std::string encodeTreeFile(const std::vector<ui::TreeItemInfo>& items);

TreeFileContent decodeTreeFile(std::string_view bytes, std::size_t maxItems = kMaxTreeItems);

// Replaces the tree's items by `records` (in pre-order; a parent that is no earlier record makes a
// top-level item), then expands those whose expanded bit is set.
void applyTreeRecords(ui::TreeView& tree, const std::vector<TreeFileRecord>& records);

enum class TreeLoadResult {
  Loaded,      // the whole file was read
  Missing,     // no file: the tree is empty
  Unreadable,  // the file could not be read: the tree is empty
  Damaged,     // the tree holds the items read before the damage
  Cut,         // the tree holds the first kMaxTreeItems items of a longer file
};

// What the user is told when the tree was cut (there is no message for the other results).
base::TextValue treeCutMessage();

TreeLoadResult loadTreeFile(ui::TreeView& tree, const base::TextValue& path);

// Writes the tree's items to `path` as a whole: into a temporary file beside it, which then
// replaces the old file in one step. 0, or the FileError that stopped it; on failure the old file
// is left as it was and no temporary file remains.
[[nodiscard]] int saveTreeFile(const ui::TreeView& tree, const base::TextValue& path);

// saveTreeFile for items that are no tree view's (in pre-order, as a snapshot lists them).
[[nodiscard]] int saveTreeItems(const std::vector<ui::TreeItemInfo>& items, const base::TextValue& path);

}  // namespace lists
