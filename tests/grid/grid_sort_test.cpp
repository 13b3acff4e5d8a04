// The grid's sort: its order equals the one of inserting the rows one by one into ordered key
// groups with the binary search the grid describes, for every kind and both directions; the keys
// of each kind; and the sort on a grid.

#include "grid/grid_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

#include "grid/record_grid.h"

namespace grid {
namespace {

// ---- the insertion procedure, written out literally

template <typename Key>
struct Group {
  Key key;
  std::vector<std::size_t> rows;
};

template <typename Key>
std::vector<std::size_t> insertionOrder(const std::vector<Key>& keys, bool ascending, bool numberKeys) {
  auto before = [&](const Key& a, const Key& b) {
    if (numberKeys) return ascending ? b >= a : b < a;
    return ascending ? a <= b : a >= b;
  };
  std::vector<Group<Key>> groups;
  if (keys.empty()) return {};
  groups.push_back({keys[0], {0}});
  for (std::size_t i = 1; i < keys.size(); ++i) {
    const Key& key = keys[i];
    std::optional<std::size_t> found;
    std::size_t lo = 0;
    std::size_t hi = groups.size();  // the range is lo .. hi - 1
    for (;;) {
      const std::size_t size = hi - lo;
      if (size == 1) {
        if (before(key, groups[lo].key)) found = lo;
        break;
      }
      if (size == 2) {
        if (before(key, groups[lo].key)) found = lo;
        else if (before(key, groups[lo + 1].key)) found = lo + 1;
        break;
      }
      const std::size_t middle = lo + size / 2;
      if (before(key, groups[middle].key)) hi = middle + 1;
      else lo = middle + 1;
    }
    if (numberKeys && found && groups[*found].key == key) {
      groups[*found].rows.push_back(i);
    } else {
      groups.insert(found ? groups.begin() + static_cast<std::ptrdiff_t>(*found) : groups.end(), Group<Key>{key, {i}});
    }
  }
  std::vector<std::size_t> order;
  for (const auto& group : groups) order.insert(order.end(), group.rows.begin(), group.rows.end());
  return order;
}

std::vector<std::size_t> literalOrder(const std::vector<base::TextValue>& cells, bool ascending, int kind) {
  if (isNumberSortKind(kind)) {
    std::vector<std::int64_t> keys;
    for (const auto& cell : cells) keys.push_back(numberSortKey(cell, kind));
    return insertionOrder(keys, ascending, true);
  }
  if (kind == 3) {
    std::vector<std::vector<std::int32_t>> keys;
    for (const auto& cell : cells) keys.push_back(letterSortKey(cell));
    return insertionOrder(keys, ascending, false);
  }
  std::vector<std::vector<unsigned char>> keys;  // bytes, unsigned
  for (const auto& cell : cells) keys.emplace_back(cell.begin(), cell.end());
  return insertionOrder(keys, ascending, false);
}

// The grid's order; a small block size makes short inputs go through the merging steps too.
std::vector<std::size_t> ourOrder(const std::vector<base::TextValue>& cells, bool ascending, int kind,
                                  std::size_t blockSize = kSortBlock) {
  const std::vector<std::string_view> views(cells.begin(), cells.end());
  return sortOrder(views, ascending, kind, {}, 20, blockSize);
}

// Cells drawn from a small set, so that keys tie often, with texts of every kind's interest.
std::vector<base::TextValue> randomCells(std::mt19937& random, std::size_t count) {
  static const std::vector<base::TextValue> pieces = {
      "", "a", "ab", "abc", "B", "10", "9", "-3", " 5", "2.5", "2.1", "x", "川", "是川", "\xFF", "\x80\x41",
      "1.23457e+06", "12:30:00", "08:00:00", "1991-01-21 08:00:00", "2017-12-10 10:05", "2017年12月10日",
      "a1b2", "\r\n", "Zz"};
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> parts(1, 2);
  std::vector<base::TextValue> cells;
  for (std::size_t i = 0; i < count; ++i) {
    base::TextValue cell = pieces[pick(random)];
    if (parts(random) == 2 && cell.size() < 3) cell += pieces[pick(random)];
    cells.push_back(cell);
  }
  return cells;
}

TEST(SortOrderTest, EqualsTheInsertionProcedureOnRandomCellsWithManyTies) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::size_t> sizes(0, 400);
  for (int round = 0; round < 40; ++round) {
    const std::vector<base::TextValue> cells = randomCells(random, round < 6 ? static_cast<std::size_t>(round) : sizes(random));
    for (int kind = 0; kind <= 6; ++kind) {
      for (bool ascending : {true, false}) {
        const std::vector<std::size_t> expected = literalOrder(cells, ascending, kind);
        for (std::size_t block : {kSortBlock, std::size_t{1}, std::size_t{7}}) {
          ASSERT_EQ(ourOrder(cells, ascending, kind, block), expected)
              << "kind " << kind << (ascending ? " ascending" : " descending") << ", " << cells.size()
              << " cells, blocks of " << block;
        }
      }
    }
  }
}

TEST(SortOrderTest, EqualTextsGoInReverseAndEqualNumbersKeepTheirOrder) {
  const std::vector<base::TextValue> cells = {"b", "a", "c", "a", "a"};
  EXPECT_EQ(ourOrder(cells, true, 2), (std::vector<std::size_t>{4, 3, 1, 0, 2}));
  EXPECT_EQ(ourOrder(cells, false, 2), (std::vector<std::size_t>{2, 0, 4, 3, 1}));
  // Byte lengths are all 1: number keys keep the order in both directions.
  EXPECT_EQ(ourOrder(cells, true, 0), (std::vector<std::size_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(ourOrder(cells, false, 0), (std::vector<std::size_t>{0, 1, 2, 3, 4}));
}

TEST(SortOrderTest, ThePumpRunsDuringALongSortButNotOnShortOnes) {
  std::mt19937 random(7);
  const std::vector<base::TextValue> many = randomCells(random, 3 * kSortBlock + 5);
  int pumped = 0;
  std::vector<std::string_view> views(many.begin(), many.end());
  const auto counting = [&] { return ++pumped > 0; };
  const std::vector<std::size_t> pumpedOrder = sortOrder(views, true, 2, counting, 0);
  EXPECT_GT(pumped, 0);
  EXPECT_EQ(pumpedOrder, sortOrder(views, true, 2));
  // A pump that answers "stop" ends the sort with no order, whichever way the keys are sorted.
  for (int kind : {2, 3, 4, 6}) {
    int asked = 0;
    EXPECT_TRUE(sortOrder(views, false, kind, [&] { return ++asked < 2; }, 0).empty()) << kind;
    EXPECT_EQ(asked, 2) << kind;  // it ran no more once it had said stop
  }
  pumped = 0;
  views.resize(10);
  (void)sortOrder(views, true, 2, counting, 0);
  EXPECT_EQ(pumped, 0);
}

TEST(RadixSortTest, KeepsEqualKeysInOrderAtEveryKeyWidth) {
  std::mt19937_64 random(99);
  for (int bits : {0, 1, 11, 12, 33, 64}) {
    const std::uint64_t mask = bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
    std::vector<RadixEntry> entries;
    std::uint64_t maxKey = 0;
    // Few distinct keys, so that ties are common; the top bits vary while a middle digit may not.
    std::vector<std::uint64_t> distinct(37);
    for (auto& key : distinct) key = random() & mask & ~(std::uint64_t{0x7FF} << 22);
    for (std::size_t i = 0; i < 3000; ++i) {
      entries.push_back({distinct[random() % distinct.size()], i});
      maxKey = std::max(maxKey, entries.back().key);
    }
    std::vector<RadixEntry> expected = entries;
    std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) { return a.key < b.key; });
    std::vector<RadixEntry> scratch;
    int steps = 0;
    EXPECT_TRUE(radixSortInSteps(entries, scratch, maxKey, [&] { return ++steps > 0; }, 500));
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      ASSERT_EQ(entries[i].index, expected[i].index) << bits << " bits, position " << i;
    }
    EXPECT_EQ(steps > 0, maxKey > 0) << bits << " bits";
  }
}

TEST(SortOrderTest, NumberKeysAtTheEndsOfTheirRangeSortInBothDirections) {
  const std::vector<base::TextValue> cells = {"2147483647", "-2147483648", "0", "99999999999", "-99999999999", "x"};
  EXPECT_EQ(ourOrder(cells, true, 4), (std::vector<std::size_t>{1, 4, 2, 5, 0, 3}));
  EXPECT_EQ(ourOrder(cells, false, 4), (std::vector<std::size_t>{0, 3, 2, 5, 1, 4}));
  const std::vector<base::TextValue> times = {"9999-12-31 23:59:59", "0100-01-01", "nonsense", "1970-01-01 08:00:00"};
  // An unreadable time has the key of the earliest time kept, 0100-01-01 00:00:00: they tie.
  EXPECT_EQ(ourOrder(times, true, 6), (std::vector<std::size_t>{1, 2, 3, 0}));
  EXPECT_EQ(ourOrder(times, false, 6), (std::vector<std::size_t>{0, 3, 1, 2}));
}

// ---- keys

TEST(SortKeyTest, LengthsAndIntegers) {
  EXPECT_EQ(numberSortKey("是川a", 0), 5);
  EXPECT_EQ(numberSortKey("是川a\r\n", 1), 4);
  EXPECT_EQ(numberSortKey("", 4), 0);
  EXPECT_EQ(numberSortKey("x", 4), 0);
  EXPECT_EQ(numberSortKey(" -12abc", 4), -12);
  EXPECT_EQ(numberSortKey("2.5", 4), 2);
  EXPECT_EQ(numberSortKey("-0.5", 4), 0);
  EXPECT_EQ(numberSortKey("1.23457e+06", 4), 1);
  EXPECT_EQ(numberSortKey("99999999999", 4), 2147483647);
  // Kind 5 keeps the ASCII digits only: signs, points and full-width digits go.
  EXPECT_EQ(numberSortKey("a1-b2.3", 5), 123);
  EXPECT_EQ(numberSortKey("-5", 5), 5);
  EXPECT_EQ(numberSortKey("\xA3\xB1" "2", 5), 2);
  EXPECT_EQ(numberSortKey("no digits", 5), 0);
  EXPECT_EQ(numberSortKey("123456789012345678901234567890", 5), 2147483647);
}

TEST(SortKeyTest, SecondsCountFrom1970At8AndBareTimesAreOn1991_01_21) {
  EXPECT_EQ(secondsSortKey("1970-01-01 08:00:00"), 0);
  EXPECT_EQ(secondsSortKey("1970-01-01 08:00:01"), 1);
  EXPECT_EQ(secondsSortKey("1970-01-01 07:59:59"), -1);
  EXPECT_EQ(secondsSortKey("2017-12-10 08:59:59") + 1, secondsSortKey("2017-12-10 09:00:00"));
  EXPECT_EQ(secondsSortKey("12:30:00"), secondsSortKey("1991-01-21 12:30:00"));
  const std::int64_t failure = secondsSortKey("不是时间");
  EXPECT_EQ(failure, secondsSortKey("also not"));
  EXPECT_LT(failure, secondsSortKey("0100-01-02"));
  EXPECT_EQ(numberSortKey("12:30:00", 6), secondsSortKey("12:30:00"));
}

TEST(SortKeyTest, LettersMapToTheirPlaceInTheAlphabet) {
  EXPECT_EQ(letterSortKey("aZ"), (std::vector<std::int32_t>{1, 26}));
  EXPECT_EQ(letterSortKey("1川"), (std::vector<std::int32_t>{'1' + 27, 0xB4A8 + 27}));
  EXPECT_TRUE(letterSortKey("").empty());
}

// ---- on a grid

std::vector<base::TextValue> column(const RecordGrid& grid, int c) {
  std::vector<base::TextValue> cells;
  for (int r = 1; r <= grid.rowCount(); ++r) cells.push_back(grid.cell(r, c));
  return cells;
}

std::vector<std::int32_t> recordIds(const RecordGrid& grid) {
  std::vector<std::int32_t> ids;
  for (int r = 1; r <= grid.rowCount(); ++r) ids.push_back(grid.row(r).recordId);
  return ids;
}

// A grid of one column holding the cells, the rows carrying record IDs 1, 2, ...
std::unique_ptr<RecordGrid> gridOf(const std::vector<base::TextValue>& cells) {
  auto grid = std::make_unique<RecordGrid>();
  grid->addColumn("列", 88, true);
  for (std::size_t i = 0; i < cells.size(); ++i) grid->appendRow({cells[i]}, 0, static_cast<std::int32_t>(i + 1), true, true);
  return grid;
}

TEST(SortByColumnTest, TextsTwiceGiveTheReverseAndPrefixesComeFirst) {
  const auto owned = gridOf({"abc", "b", "ab", "川", "a"});
  RecordGrid& grid = *owned;
  grid.setSelectedRow(2);
  grid.sortByColumn(1, true, 2);
  EXPECT_EQ(column(grid, 1), (std::vector<base::TextValue>{"a", "ab", "abc", "b", "川"}));
  EXPECT_TRUE(grid.selection().empty());
  grid.sortByColumn(1, false, 2);
  EXPECT_EQ(column(grid, 1), (std::vector<base::TextValue>{"川", "b", "abc", "ab", "a"}));
}

TEST(SortByColumnTest, IntegerKeysOfEmptyAndLetterCellsAreZero) {
  const auto owned = gridOf({"10", "9", "", "x"});
  RecordGrid& grid = *owned;
  grid.sortByColumn(1, true, 4);
  EXPECT_EQ(column(grid, 1), (std::vector<base::TextValue>{"", "x", "9", "10"}));
}

TEST(SortByColumnTest, DecimalsSortByTheIntegerOfTheirShownText) {
  const auto owned = gridOf({"1.23457e+06", "2.5", "-0.5", "2.1", "0"});
  RecordGrid& grid = *owned;
  grid.sortByColumn(1, true, 4);
  EXPECT_EQ(column(grid, 1), (std::vector<base::TextValue>{"-0.5", "0", "1.23457e+06", "2.5", "2.1"}));
  grid.sortByColumn(1, false, 4);
  EXPECT_EQ(column(grid, 1), (std::vector<base::TextValue>{"2.5", "2.1", "1.23457e+06", "-0.5", "0"}));
}

TEST(SortByColumnTest, ABareTimeIsTakenOn1991_01_21AndUnreadableTimesComeFirst) {
  const auto owned = gridOf({"12:30:00", "1991-01-21 08:00:00", "坏", "1991-01-20 23:00:00"});
  RecordGrid& grid = *owned;
  grid.sortByColumn(1, true, 6);
  EXPECT_EQ(column(grid, 1),
            (std::vector<base::TextValue>{"坏", "1991-01-20 23:00:00", "1991-01-21 08:00:00", "12:30:00"}));
}

TEST(SortByColumnTest, EqualTextsSwapAndMissingCellsSortAsEmpty) {
  const auto owned = gridOf({"a", "b", "a"});
  RecordGrid& grid = *owned;
  grid.appendRow({}, 0, 4, false, true);  // a row without cells
  grid.sortByColumn(1, true, 2);
  EXPECT_EQ(recordIds(grid), (std::vector<std::int32_t>{4, 3, 1, 2}));
  grid.sortByColumn(7, true, 2);  // a column that does not exist: every key is empty
  EXPECT_EQ(recordIds(grid), (std::vector<std::int32_t>{2, 1, 3, 4}));
}

TEST(SortByColumnTest, EventsDuringASortCannotBreakIt) {
  std::vector<base::TextValue> cells;
  for (std::size_t i = 0; i < 3 * kSortBlock; ++i) cells.push_back(std::to_string(i % 977));
  const auto owned = gridOf(cells);
  RecordGrid& grid = *owned;
  // A sort started by an event is refused; the first one completes.
  int pumped = 0;
  std::function<void()> event;
  ui::EventGate gate([&] {
    ++pumped;
    if (event) event();
  });
  grid.setEventGate(&gate, 0);
  event = [&] { grid.sortByColumn(1, false, 4); };
  grid.sortByColumn(1, true, 4);
  EXPECT_GT(pumped, 0);
  EXPECT_EQ(grid.cell(1, 1), "0");
  EXPECT_EQ(grid.cell(grid.rowCount(), 1), "976");
  EXPECT_EQ(grid.sortIndicator(), (SortIndicator{1, true}));
  // An event that removes rows leaves the order as the event left it.
  bool removed = false;
  event = [&] {
    if (!removed) grid.removeRow(1, true);
    removed = true;
  };
  grid.sortByColumn(1, false, 4);
  EXPECT_EQ(grid.rowCount(), static_cast<int>(cells.size()) - 1);
  EXPECT_EQ(grid.cell(1, 1), "0");
  // An event that asks running work to stop (a newer list selection) leaves the rows as they were.
  const std::vector<std::int32_t> before = recordIds(grid);
  event = [&] { gate.run(ui::WhenBusy::StopFirst, &gate, [] {}); };
  grid.sortByColumn(1, true, 4);
  EXPECT_EQ(recordIds(grid), before);
  // Rows that an event changed while the sort ran need not follow it: no column shows as sorted.
  event = [&] { grid.setCell(2, 1, "x", true); };
  grid.sortByColumn(1, false, 4);
  EXPECT_EQ(grid.sortIndicator(), SortIndicator{});
}

}  // namespace
}  // namespace grid
