// The tree data file from damaged bytes: whatever the bytes, the records read make a tree (every
// level at most one more than the one before), and writing them and reading that back gives the
// same items.

#include <cstdint>
#include <cstdlib>

#include "lists/tree_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const lists::TreeFileContent read = lists::decodeTreeFile(bytes);
  std::vector<ui::TreeItemInfo> items;
  int previousLevel = 0;
  for (const lists::TreeFileRecord& record : read.records) {
    if (record.info.level < 1 || record.info.level > previousLevel + 1) std::abort();
    previousLevel = record.info.level;
    items.push_back(record.info);
  }
  const lists::TreeFileContent again = lists::decodeTreeFile(lists::encodeTreeFile(items));
  if (again.damaged || again.records.size() != items.size()) std::abort();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!(again.records[i].info.item == items[i].item) || again.records[i].info.level != items[i].level) std::abort();
  }
  return 0;
}
