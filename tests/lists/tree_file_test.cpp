// The tree data file: its bytes, the depth rules of reading, the atomic replacement on writing,
// and damaged files, which load what can be read and nothing else.

#include "lists/tree_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>

#include "platform/file.h"
#include "platform/paths.h"
#include "tests/lists/headless_tree.h"
#include "tests/support/fault_injector.h"
#include "tests/support/scratch_dir.h"

namespace lists {
namespace {

using lists_test::fillListTree;
using lists_test::HeadlessTree;
using lists_test::treeItem;

std::string word(std::uint32_t value) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
  return bytes;
}

// One record as the file stores it.
std::string record(const std::string& text, std::int32_t depth, std::uint32_t state = 0, std::int32_t image = 0,
                   std::int32_t data = 0) {
  return text + '\0' + word(static_cast<std::uint32_t>(image)) + word(static_cast<std::uint32_t>(image)) +
         word(static_cast<std::uint32_t>(data)) + word(state) + word(static_cast<std::uint32_t>(depth));
}

std::vector<int> levelsOf(const TreeFileContent& content) {
  std::vector<int> levels;
  for (const TreeFileRecord& r : content.records) levels.push_back(r.info.level);
  return levels;
}

std::vector<int> parentsOf(const TreeFileContent& content) {
  std::vector<int> parents;
  for (const TreeFileRecord& r : content.records) parents.push_back(r.info.parent);
  return parents;
}

std::string readFile(const base::TextValue& path) {
  std::string bytes;
  EXPECT_EQ(platform::readWholeFile(path, bytes), platform::kFileOk) << path;
  return bytes;
}

TEST(TreeFileBytesTest, RecordsFollowThePreOrderWithTheirDepths) {
  HeadlessTree view;
  fillListTree(view.tree());
  const std::string bytes = encodeTreeFile(view.tree().snapshot());

  std::string expected = record("A", 1, 3, 0, 0) + record("K1", 2, 2, 1, 1) + record("阿里云", 3, 0, 2, 7) +
                         record("", 3, 0, 2, -2147483647 - 1) + record("K2", 2, 0, 1, 3) +
                         record("华北", 3, 1, 2, 2147483647) + record("B", 1, 0, 0, 0) + record("K3", 2, 2, 1, 2);
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(encodeTreeFile({}), "");
}

TEST(TreeFileBytesTest, TextsAreCutToWhatTheFileKeeps) {
  std::vector<ui::TreeItemInfo> items(3);
  items[0].item.text = std::string(600, 'x');
  items[1].item.text = std::string("前\0后", 5);
  items[2].item.text = "x";
  for (int i = 0; i < 300; ++i) items[2].item.text += "格";
  for (auto& info : items) info.level = 1;

  const TreeFileContent content = decodeTreeFile(encodeTreeFile(items));
  ASSERT_EQ(content.records.size(), 3u);
  EXPECT_FALSE(content.damaged);
  EXPECT_EQ(content.records[0].info.item.text, std::string(kMaxTreeTextBytes, 'x'));
  EXPECT_EQ(content.records[1].info.item.text, "前");
  // 1 + 254 characters of two bytes fit in 510 bytes; half a character is not kept.
  EXPECT_EQ(content.records[2].info.item.text.size(), 509u);
  EXPECT_EQ(content.records[2].info.item.text, base::cutToBytes(items[2].item.text, kMaxTreeTextBytes));
}

TEST(TreeFileReadTest, DepthsPlaceEachRecordUnderTheRightItem) {
  // 1 2 3 3 2 3 1: the saved layout of lists with key fields and values.
  const TreeFileContent normal = decodeTreeFile(record("A", 1) + record("K1", 2) + record("v", 3) + record("w", 3) +
                                                record("K2", 2) + record("x", 3) + record("B", 1));
  EXPECT_EQ(levelsOf(normal), (std::vector<int>{1, 2, 3, 3, 2, 3, 1}));
  EXPECT_EQ(parentsOf(normal), (std::vector<int>{-1, 0, 1, 1, 0, 4, -1}));

  // A jump deeper is one level below the item before; coming back up stops at the nearest level
  // that is not deeper.
  const TreeFileContent jumps = decodeTreeFile(record("A", 1) + record("a", 3) + record("b", 3) + record("c", 2) +
                                               record("d", 9) + record("e", 2147483647) + record("B", 1));
  EXPECT_FALSE(jumps.damaged);
  EXPECT_EQ(levelsOf(jumps), (std::vector<int>{1, 2, 2, 2, 3, 4, 1}));
  EXPECT_EQ(parentsOf(jumps), (std::vector<int>{-1, 0, 0, 0, 3, 4, -1}));

  // Depths below 1 count as 1; a record above every open level is a new top level.
  const TreeFileContent shallow = decodeTreeFile(record("A", 3) + record("a", 4) + record("B", -5) + record("b", 2) +
                                                 record("C", 1) + record("D", 0));
  EXPECT_EQ(levelsOf(shallow), (std::vector<int>{1, 2, 1, 2, 1, 1}));
  EXPECT_EQ(parentsOf(shallow), (std::vector<int>{-1, 0, -1, 2, -1, -1}));
}

TEST(TreeFileReadTest, StateBitsAreKeptAsStored) {
  const TreeFileContent content =
      decodeTreeFile(record("A", 1, 0x30000003, 5, -9) + record("B", 1, 0xFFFFFFFC, -1, 2147483647));
  ASSERT_EQ(content.records.size(), 2u);
  const TreeFileRecord& a = content.records[0];
  EXPECT_EQ(a.state, 0x30000003u);
  EXPECT_TRUE(a.info.item.bold);
  EXPECT_TRUE(a.info.item.expanded);
  EXPECT_EQ(a.info.item.image, 5);
  EXPECT_EQ(a.info.item.data, -9);
  const TreeFileRecord& b = content.records[1];
  EXPECT_EQ(b.state, 0xFFFFFFFCu);
  EXPECT_FALSE(b.info.item.bold);
  EXPECT_FALSE(b.info.item.expanded);
  EXPECT_EQ(b.info.item.selectedImage, -1);
}

TEST(TreeFileReadTest, DamageEndsTheReadingAfterTheLastWholeRecord) {
  const std::string two = record("A", 1) + record("K1", 2);
  for (std::size_t cut = 1; cut < record("B", 1).size(); ++cut) {
    const TreeFileContent content = decodeTreeFile(two + record("B", 1).substr(0, cut));
    EXPECT_TRUE(content.damaged) << cut;
    EXPECT_EQ(levelsOf(content), (std::vector<int>{1, 2})) << cut;
  }
  // A text may have 510 bytes; without its 0 byte after that it is damage.
  EXPECT_FALSE(decodeTreeFile(record(std::string(510, 'x'), 1)).damaged);
  const TreeFileContent long_ = decodeTreeFile(two + record(std::string(511, 'x'), 1));
  EXPECT_TRUE(long_.damaged);
  EXPECT_EQ(long_.records.size(), 2u);
  const TreeFileContent noZero = decodeTreeFile(std::string(100000, 'x'));
  EXPECT_TRUE(noZero.damaged);
  EXPECT_TRUE(noZero.records.empty());
  EXPECT_FALSE(decodeTreeFile("").damaged);
}

// Random cuts and byte flips of a good file and random bytes: reading never fails, and every item
// read is a top-level item or sits at most one level below the item before it.
TEST(TreeFileReadTest, RandomDamageGivesOnlyWellPlacedItems) {
  HeadlessTree view;
  fillListTree(view.tree());
  const std::string good = encodeTreeFile(view.tree().snapshot());
  std::mt19937 random(20240611);
  auto check = [&](const std::string& bytes) {
    const TreeFileContent content = decodeTreeFile(bytes);
    int previous = 0;
    for (std::size_t i = 0; i < content.records.size(); ++i) {
      const ui::TreeItemInfo& info = content.records[i].info;
      ASSERT_GE(info.level, 1);
      ASSERT_LE(info.level, previous + 1);
      ASSERT_LT(info.parent, static_cast<int>(i));
      if (info.level > 1) {
        ASSERT_EQ(content.records[static_cast<std::size_t>(info.parent)].info.level, info.level - 1);
      }
      ASSERT_LE(info.item.text.size(), kMaxTreeTextBytes);
      previous = info.level;
    }
    applyTreeRecords(view.tree(), content.records);
    ASSERT_EQ(view.tree().itemCount(), static_cast<int>(content.records.size()));
    const std::vector<ui::TreeItemInfo> shown = view.tree().snapshot();
    for (std::size_t i = 0; i < shown.size(); ++i) ASSERT_EQ(shown[i].level, content.records[i].info.level);
  };
  for (int round = 0; round < 2000; ++round) {
    std::string bytes = good;
    const int flips = static_cast<int>(random() % 8);
    for (int f = 0; f < flips; ++f) bytes[random() % bytes.size()] = static_cast<char>(random());
    bytes.resize(random() % (bytes.size() + 1));
    ASSERT_NO_FATAL_FAILURE(check(bytes)) << "round " << round;
  }
  for (int round = 0; round < 200; ++round) {
    std::string garbage(random() % 4096, '\0');
    for (char& c : garbage) c = static_cast<char>(random() % 4 == 0 ? 0 : random());
    ASSERT_NO_FATAL_FAILURE(check(garbage)) << "garbage " << round;
  }
}

TEST(TreeFileDiskTest, SavingAndLoadingGiveTheSameTree) {
  testing_support::ScratchDir dir;
  const base::TextValue path = dir.file("树型框数据.AI");
  HeadlessTree saved;
  fillListTree(saved.tree());
  ASSERT_EQ(saveTreeFile(saved.tree(), path), platform::kFileOk);
  EXPECT_EQ(readFile(path), encodeTreeFile(saved.tree().snapshot()));
  EXPECT_FALSE(platform::pathExists(path + ".tmp"));

  HeadlessTree loaded;
  loaded.tree().addItem(-1, treeItem("旧", 0, 0));
  EXPECT_EQ(loadTreeFile(loaded.tree(), path), TreeLoadResult::Loaded);
  const auto expected = saved.tree().snapshot();
  const auto actual = loaded.tree().snapshot();
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i].item, expected[i].item) << i;
    EXPECT_EQ(actual[i].level, expected[i].level) << i;
    EXPECT_EQ(actual[i].parent, expected[i].parent) << i;
  }
}

TEST(TreeFileDiskTest, MissingAndDamagedFilesLoadWhatTheyHold) {
  testing_support::ScratchDir dir;
  HeadlessTree view;
  fillListTree(view.tree());
  EXPECT_EQ(loadTreeFile(view.tree(), dir.file("无")), TreeLoadResult::Missing);
  EXPECT_EQ(view.tree().itemCount(), 0);

  fillListTree(view.tree());
  EXPECT_EQ(loadTreeFile(view.tree(), dir.path()), TreeLoadResult::Unreadable);  // a folder
  EXPECT_EQ(view.tree().itemCount(), 0);

  const base::TextValue path = dir.file("树型框数据.AI");
  ASSERT_EQ(platform::writeWholeFile(path, record("A", 1, 2) + record("K", 2) + "截断"), platform::kFileOk);
  EXPECT_EQ(loadTreeFile(view.tree(), path), TreeLoadResult::Damaged);
  ASSERT_EQ(view.tree().itemCount(), 2);
  EXPECT_TRUE(view.tree().item(0).expanded);
  EXPECT_EQ(view.tree().parentOf(1), 0);
}

TEST(TreeFileDiskTest, AFailedWriteLeavesTheOldFile) {
  testing_support::ScratchDir dir;
  const base::TextValue path = dir.file("树型框数据.AI");
  const std::string old = record("旧", 1);
  ASSERT_EQ(platform::writeWholeFile(path, old), platform::kFileOk);
  HeadlessTree view;
  fillListTree(view.tree());

  // The temporary file cannot be made: a folder holds its name.
  ASSERT_EQ(platform::createDirectory(path + ".tmp"), platform::kFileOk);
  EXPECT_NE(saveTreeFile(view.tree(), path), platform::kFileOk);
  EXPECT_EQ(readFile(path), old);
  ASSERT_EQ(platform::deleteFile(path + ".tmp"), platform::kFileAccessDenied);  // still the folder

  // The temporary file cannot take the place of the target (a folder): it is removed again.
  const base::TextValue folderTarget = dir.file("目录");
  ASSERT_EQ(platform::createDirectory(folderTarget), platform::kFileOk);
  ASSERT_EQ(platform::createDirectory(platform::joinPath(folderTarget, "内")), platform::kFileOk);
  EXPECT_NE(saveTreeFile(view.tree(), folderTarget), platform::kFileOk);
  EXPECT_FALSE(platform::pathExists(folderTarget + ".tmp"));
  EXPECT_TRUE(platform::isDirectory(folderTarget));

  // A missing folder: nothing is written.
  EXPECT_NE(saveTreeFile(view.tree(), platform::joinPath(dir.file("无"), "树型框数据.AI")), platform::kFileOk);
}

// Whichever file operation of a save fails, the save says so, the old file stays as it was and no
// temporary file is left; a process that stops during a save leaves the old file or the new one.
TEST(TreeFileDiskTest, EveryFailingStepOfASaveLeavesTheOldFile) {
  testing_support::ScratchDir dir;
  const base::TextValue path = dir.file("树型框数据.AI");
  const std::string old = record("旧", 1) + record("键", 2);
  HeadlessTree view;
  fillListTree(view.tree());
  const std::string saved = encodeTreeFile(view.tree().snapshot());
  for (bool stops : {false, true}) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE((stops ? "stop at operation " : "failing operation ") + std::to_string(n));
      ASSERT_EQ(platform::writeWholeFile(path, old), platform::kFileOk);
      int result = platform::kFileOk;
      bool fired = false;
      {
        testing_support::FaultInjector faults;
        if (stops) {
          faults.stopAt(n);
        } else {
          faults.failAt(n);
        }
        result = saveTreeFile(view.tree(), path);
        fired = faults.fired();
      }
      if (!fired) {
        EXPECT_EQ(result, platform::kFileOk);
        EXPECT_EQ(readFile(path), saved);
        break;
      }
      if (stops) {
        const std::string now = readFile(path);
        EXPECT_TRUE(now == old || now == saved);
        (void)platform::deleteFile(path + ".tmp");
      } else {
        EXPECT_NE(result, platform::kFileOk);
        EXPECT_EQ(readFile(path), old);
        EXPECT_FALSE(platform::pathExists(path + ".tmp"));
      }
      if (testing::Test::HasFailure() || n > 100) return;
    }
  }
}

// Filing the values of the last list appends at the end of the tree: 50,000 values under one key
// field are added, saved and loaded in linear time.
TEST(TreeFileDiskTest, LargeTreesStayFast) {
  constexpr int kValues = 50000;
  testing_support::ScratchDir dir;
  const auto start = std::chrono::steady_clock::now();
  HeadlessTree view;
  const int list = view.tree().addItem(-1, treeItem("列表", 0, 0));
  const int key = view.tree().addItem(list, treeItem("字段", 1, 1));
  for (int i = 0; i < kValues; ++i) view.tree().addItem(key, treeItem(std::to_string(i), 2, i));
  const base::TextValue path = dir.file("树型框数据.AI");
  ASSERT_EQ(saveTreeFile(view.tree(), path), platform::kFileOk);
  HeadlessTree loaded;
  EXPECT_EQ(loadTreeFile(loaded.tree(), path), TreeLoadResult::Loaded);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(loaded.tree().itemCount(), kValues + 2);
  EXPECT_EQ(loaded.tree().parentOf(kValues + 1), 1);
  EXPECT_EQ(loaded.tree().item(kValues + 1).data, kValues - 1);
  EXPECT_LT(seconds, 10.0);
}

// A record straight into `out`, for files of a million records.
void appendRecordTo(std::string& out, std::string_view text, std::int32_t depth, std::int32_t image, std::int32_t data) {
  char tail[21] = {};
  const std::uint32_t values[] = {static_cast<std::uint32_t>(image), static_cast<std::uint32_t>(image),
                                  static_cast<std::uint32_t>(data), 0u, static_cast<std::uint32_t>(depth)};
  for (int v = 0; v < 5; ++v) {
    for (int i = 0; i < 4; ++i) tail[1 + 4 * v + i] = static_cast<char>((values[v] >> (8 * i)) & 0xFF);
  }
  out.append(text).append(tail, sizeof tail);
}

// A file of one item more than the tree takes: a list, a key field and the values of a huge list.
// The first kMaxTreeItems items load in one pass, in the right places; the last is cut away and
// loading says so. The message says it too, and the command-line tools refuse to write such a
// file back (tests/cli).
TEST(TreeFileLimitsTest, AMillionItemsLoadAndTheOneBeyondIsCut) {
  std::string bytes;
  bytes.reserve((kMaxTreeItems + 1) * 32);
  appendRecordTo(bytes, "列表", 1, 0, 0);
  appendRecordTo(bytes, "字段", 2, 1, 1);
  char text[16] = "值";
  for (std::size_t i = 2; i <= kMaxTreeItems; ++i) {
    const int length = std::snprintf(text + 2, sizeof text - 2, "%zu", i);
    appendRecordTo(bytes, std::string_view(text, static_cast<std::size_t>(length) + 2), 3, 2, static_cast<std::int32_t>(i));
  }
  testing_support::ScratchDir dir;
  const base::TextValue path = dir.file("树型框数据.AI");
  ASSERT_EQ(platform::writeWholeFile(path, bytes), platform::kFileOk);
  HeadlessTree view;
  EXPECT_EQ(loadTreeFile(view.tree(), path), TreeLoadResult::Cut);
  const int count = static_cast<int>(kMaxTreeItems);
  ASSERT_EQ(view.tree().itemCount(), count);
  EXPECT_EQ(view.tree().parentOf(count - 1), 1);
  EXPECT_EQ(view.tree().item(count - 1).text, "值" + std::to_string(kMaxTreeItems - 1));
  EXPECT_EQ(view.tree().item(count - 1).data, count - 1);
  EXPECT_EQ(treeCutMessage(), "树型框数据文件中的项目太多，只读入了前 1000000 个项目！");

}

// The cut falls after exactly the most items: as many load whole, one more is cut.
TEST(TreeFileLimitsTest, TheCutFallsAfterTheMostItems) {
  const std::string three = record("A", 1) + record("a", 2) + record("b", 2);
  EXPECT_FALSE(decodeTreeFile(three, 3).cut);
  EXPECT_EQ(decodeTreeFile(three, 3).records.size(), 3u);
  const TreeFileContent cut = decodeTreeFile(three + record("B", 1), 3);
  EXPECT_TRUE(cut.cut);
  EXPECT_FALSE(cut.damaged);
  EXPECT_EQ(levelsOf(cut), (std::vector<int>{1, 2, 2}));
}

// Each record one level deeper than the one before, 100,000 times: the tree stops at its deepest
// level, where the rest are siblings, so placing an item never walks a long chain of parents
// (which would take many minutes here), and what is read writes back to the same items.
TEST(TreeFileLimitsTest, AChainOfEverDeeperRecordsStopsAtTheDeepestLevel) {
  constexpr int kRecords = 100000;
  std::string bytes;
  bytes.reserve(kRecords * 28);
  for (int i = 1; i <= kRecords; ++i) appendRecordTo(bytes, "深", i, 2, i);
  const TreeFileContent content = decodeTreeFile(bytes);
  ASSERT_EQ(content.records.size(), static_cast<std::size_t>(kRecords));
  EXPECT_FALSE(content.damaged);
  EXPECT_EQ(content.records[kMaxTreeLevels - 1].info.level, kMaxTreeLevels);
  EXPECT_EQ(content.records[kMaxTreeLevels].info.level, kMaxTreeLevels);
  EXPECT_EQ(content.records[kMaxTreeLevels].info.parent, kMaxTreeLevels - 2);
  EXPECT_EQ(content.records.back().info.level, kMaxTreeLevels);
  HeadlessTree view;
  applyTreeRecords(view.tree(), content.records);
  ASSERT_EQ(view.tree().itemCount(), kRecords);
  EXPECT_EQ(view.tree().parentOf(kRecords - 1), kMaxTreeLevels - 2);
  const std::vector<ui::TreeItemInfo> shown = view.tree().snapshot();
  const TreeFileContent again = decodeTreeFile(encodeTreeFile(shown));
  ASSERT_EQ(again.records.size(), shown.size());
  for (std::size_t i = 0; i < shown.size(); i += 997) EXPECT_EQ(again.records[i].info, shown[i]) << i;
}

}  // namespace
}  // namespace lists
