#include "lists/tree_file.h"

#include <algorithm>

#include "base/number_text.h"
#include "platform/file.h"
#include "platform/paths.h"

namespace lists {
namespace {

constexpr std::uint32_t kBoldBit = 1u << 0;
constexpr std::uint32_t kExpandedBit = 1u << 1;
constexpr std::size_t kNumbersBytes = 5 * 4;  // image, selected image, data, state, depth

void appendWord(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

std::uint32_t wordAt(std::string_view bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
  return value;
}

std::int32_t signedWordAt(std::string_view bytes, std::size_t offset) {
  return static_cast<std::int32_t>(wordAt(bytes, offset));
}

// The text as the file keeps it: up to an embedded 0 byte, at most kMaxTreeTextBytes.
base::TextValue storedText(const base::TextValue& text) {
  return base::cutToBytes(std::string_view(text).substr(0, text.find('\0')), kMaxTreeTextBytes);
}

// One record as stored, before the depth rules.
struct RawRecord {
  ui::TreeItem item;
  std::uint32_t state = 0;
  std::int32_t depth = 0;
};

// Reads the record at `offset` and moves `offset` past it; false when the bytes there are no
// whole record.
bool readRecord(std::string_view bytes, std::size_t& offset, RawRecord& record) {
  const std::string_view rest = bytes.substr(offset);
  const std::size_t end = rest.substr(0, kMaxTreeTextBytes + 1).find('\0');
  if (end == std::string_view::npos || rest.size() - end - 1 < kNumbersBytes) return false;
  const std::size_t numbers = offset + end + 1;
  record.item = ui::TreeItem();
  record.item.text = base::TextValue(rest.substr(0, end));
  record.item.image = signedWordAt(bytes, numbers);
  record.item.selectedImage = signedWordAt(bytes, numbers + 4);
  record.item.data = signedWordAt(bytes, numbers + 8);
  record.state = wordAt(bytes, numbers + 12);
  record.item.bold = (record.state & kBoldBit) != 0;
  record.item.expanded = (record.state & kExpandedBit) != 0;
  record.depth = signedWordAt(bytes, numbers + 16);
  offset = numbers + kNumbersBytes;
  return true;
}

// The open levels while reading: per level, the stored depth and the index of its last item.
class LevelStack {
 public:
  // Places an item of stored depth `depth` at index `index`; gives its level and parent.
  void place(std::int32_t depth, int index, ui::TreeItemInfo& info) {
    if (depth < 1) depth = 1;
    if (levels_.empty()) {
      levels_.push_back({depth, index});
    } else if (depth > levels_.back().depth) {
      if (levels_.size() < static_cast<std::size_t>(kMaxTreeLevels)) {
        levels_.push_back({depth, index});
      } else {
        levels_.back().lastIndex = index;  // as deep as the tree goes: a sibling
      }
    } else {
      while (levels_.size() > 1 && depth < levels_.back().depth) levels_.pop_back();
      if (depth > levels_.back().depth) {
        levels_.push_back({depth, index});
      } else {
        levels_.back() = {depth, index};  // a sibling, or a new top level
      }
    }
    info.level = static_cast<int>(levels_.size());
    info.parent = levels_.size() > 1 ? levels_[levels_.size() - 2].lastIndex : -1;
  }

 private:
  struct Level {
    std::int32_t depth;
    int lastIndex;
  };
  std::vector<Level> levels_;
};

// Writes `bytes` to a temporary file beside `path`, then puts it in place of `path`.
int writeReplacing(const base::TextValue& path, std::string_view bytes) {
  const base::TextValue temporary = path + ".tmp";
  platform::File file;
  int result = file.open(temporary, platform::FileAccess::Write, platform::ShareMode::DenyAll,
                         platform::OpenMode::CreateAlways);
  if (result != platform::kFileOk) return result;
  result = file.writeAt(0, bytes.data(), bytes.size());
  if (result == platform::kFileOk) result = file.flush();
  file.close();
  if (result == platform::kFileOk) result = platform::replaceFile(temporary, path);
  if (result != platform::kFileOk) (void)platform::deleteFile(temporary);
  return result;
}

// The file's bytes, as far as kMaxTreeItems records of the longest kind reach: what lies beyond
// them is never read, so a huge file costs no more memory than the largest tree.
int readTreeBytes(const base::TextValue& path, std::string& bytes) {
  constexpr std::uint64_t kMostBytes = kMaxTreeItems * (kMaxTreeTextBytes + 1 + kNumbersBytes) + 1;
  platform::File file;
  int result = file.open(path, platform::FileAccess::Read, platform::ShareMode::DenyNone, platform::OpenMode::OpenExisting);
  if (result != platform::kFileOk) return result;
  std::uint64_t length = 0;
  if ((result = file.length(length)) != platform::kFileOk) return result;
  bytes.resize(static_cast<std::size_t>(std::min(length, kMostBytes)));
  std::size_t got = 0;
  if (!bytes.empty()) result = file.readAt(0, bytes.data(), bytes.size(), got);
  if (result != platform::kFileOk && result != platform::kFileEndOfFile) return result;
  bytes.resize(got);  // the file may have shrunk since its length was taken
  return platform::kFileOk;
}

}  // namespace

std::string encodeTreeFile(const std::vector<ui::TreeItemInfo>& items) {
  std::string out;
  for (const ui::TreeItemInfo& info : items) {
    out += storedText(info.item.text);
    out.push_back('\0');
    appendWord(out, static_cast<std::uint32_t>(info.item.image));
    appendWord(out, static_cast<std::uint32_t>(info.item.selectedImage));
    appendWord(out, static_cast<std::uint32_t>(info.item.data));
    appendWord(out, (info.item.bold ? kBoldBit : 0) | (info.item.expanded ? kExpandedBit : 0));
    appendWord(out, static_cast<std::uint32_t>(info.level < 1 ? 1 : info.level));
  }
  return out;
}

TreeFileContent decodeTreeFile(std::string_view bytes, std::size_t maxItems) {
  TreeFileContent content;
  LevelStack levels;
  RawRecord raw;
  constexpr std::size_t kShortestRecord = 1 + kNumbersBytes;
  content.records.reserve(std::min(maxItems, bytes.size() / kShortestRecord + 1));
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    if (content.records.size() == maxItems) {
      content.cut = true;
      break;
    }
    if (!readRecord(bytes, offset, raw)) {
      content.damaged = true;
      break;
    }
    TreeFileRecord record;
    record.info.item = std::move(raw.item);
    record.state = raw.state;
    levels.place(raw.depth, static_cast<int>(content.records.size()), record.info);
    content.records.push_back(std::move(record));
  }
  return content;
}

void applyTreeRecords(ui::TreeView& tree, const std::vector<TreeFileRecord>& records) {
  tree.clear();
  std::vector<int> expanded;
  std::vector<int> added;  // the tree's index of each record
  added.reserve(records.size());
  for (const TreeFileRecord& record : records) {
    ui::TreeItem item = record.info.item;
    item.expanded = false;  // expanded once its children are in
    const auto parentRecord = static_cast<std::size_t>(record.info.parent);
    const int parent = record.info.parent < 0 || parentRecord >= added.size() ? -1 : added[parentRecord];
    const int index = tree.addItem(parent, item);
    added.push_back(index);
    if (record.info.item.expanded) expanded.push_back(index);
  }
  for (int index : expanded) {
    ui::TreeItem item = tree.item(index);
    item.expanded = true;
    tree.setItem(index, item);
  }
}

base::TextValue treeCutMessage() {
  return "树型框数据文件中的项目太多，只读入了前 " + base::formatInteger(static_cast<std::int64_t>(kMaxTreeItems)) +
         " 个项目！";
}

TreeLoadResult loadTreeFile(ui::TreeView& tree, const base::TextValue& path) {
  std::string bytes;
  const int read = readTreeBytes(path, bytes);
  if (read != platform::kFileOk) {
    tree.clear();
    return read == platform::kFileNotFound ? TreeLoadResult::Missing : TreeLoadResult::Unreadable;
  }
  const TreeFileContent content = decodeTreeFile(bytes);
  applyTreeRecords(tree, content.records);
  if (content.cut) return TreeLoadResult::Cut;
  return content.damaged ? TreeLoadResult::Damaged : TreeLoadResult::Loaded;
}

int saveTreeFile(const ui::TreeView& tree, const base::TextValue& path) { return saveTreeItems(tree.snapshot(), path); }

int saveTreeItems(const std::vector<ui::TreeItemInfo>& items, const base::TextValue& path) {
  return writeReplacing(path, encodeTreeFile(items));
}

}  // namespace lists
