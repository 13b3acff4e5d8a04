#include "bench/grid_bench.h"

#include <algorithm>
#include <memory>
#include <string>

#include "base/number_text.h"
#include "bench/sample_data.h"
#include "grid/grid_sort.h"
#include "grid/record_grid.h"
#include "ui/headless/headless_toolkit.h"

namespace bench {
namespace {

constexpr double kSortTarget = 3.0;

ui::WindowLayout gridWindow() {
  using ui::ControlKind;
  ui::WindowLayout layout;
  layout.name = "主窗口";
  layout.bounds = {0, 0, 900, 520};
  layout.controls = {{"画板容器", ControlKind::Panel, "", {0, 0, 866, 478}, "", true, true},
                     {"画板表头", ControlKind::DrawingPanel, "画板容器", {0, 0, 866, 25}, "", true, true},
                     {"画板数据", ControlKind::DrawingPanel, "画板容器", {0, 24, 866, 454}, "", true, true},
                     {"画板横滚", ControlKind::DrawingPanel, "画板容器", {0, 460, 866, 18}, "", true, true},
                     {"画板纵滚", ControlKind::DrawingPanel, "画板容器", {848, 24, 18, 436}, "", true, true}};
  return layout;
}

// A grid attached to the panels of a headless window.
struct HeadlessGrid {
  ui::headless::HeadlessToolkit toolkit;
  std::unique_ptr<ui::Window> window = toolkit.createWindow(gridWindow(), nullptr);
  grid::RecordGrid grid;

  HeadlessGrid() {
    grid.attach({window->get<ui::DrawingPanel>("画板表头"), window->get<ui::DrawingPanel>("画板数据"),
                 *window->control("画板容器"), window->get<ui::DrawingPanel>("画板横滚"),
                 window->get<ui::DrawingPanel>("画板纵滚")});
    grid.setBounds(0, 0, 866, 478);
  }
};

// Three columns: a text of a few words (Chinese included, with ties), an integer, a time.
std::vector<grid::GridRow> sampleRows(int count, std::uint64_t seed) {
  static const char* const kWords[] = {"平台", "记录", "alpha", "beta", "示例", "gamma", "川", "x"};
  Random random(seed);
  std::vector<grid::GridRow> rows;
  rows.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    std::string text = std::string(kWords[random.below(8)]) + kWords[random.below(8)] + std::to_string(random.below(5000));
    std::string integer = std::to_string(static_cast<int>(random.below(2000000)) - 1000000);
    char time[32];
    std::snprintf(time, sizeof time, "%04u-%02u-%02u %02u:%02u:%02u", 1990 + random.below(35), 1 + random.below(12),
                  1 + random.below(28), random.below(24), random.below(60), random.below(60));
    rows.push_back({std::vector<std::string>{std::move(text), std::move(integer), time}, 0, i + 1});
  }
  return rows;
}

template <typename Key>
double timeStableSort(const std::vector<Key>& keys) {
  std::vector<std::pair<Key, std::int32_t>> keyed;
  keyed.reserve(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) keyed.emplace_back(keys[i], static_cast<std::int32_t>(i));
  const Timed run = timed([&]() -> std::optional<std::uint64_t> {
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return keyed.front().second;
  });
  return run.milliseconds;
}

double referenceTime(const std::vector<grid::GridRow>& rows, int column, int sortKind) {
  if (!grid::isNumberSortKind(sortKind)) {
    std::vector<std::string_view> keys;  // the rows' own texts, as the grid's sort takes them
    for (const auto& row : rows) keys.push_back(grid::cellOf(row, column));
    return timeStableSort(keys);
  }
  std::vector<std::int64_t> keys;
  for (const auto& row : rows) keys.push_back(grid::numberSortKey(grid::cellOf(row, column), sortKind));
  return timeStableSort(keys);
}

double gridSortTime(HeadlessGrid& headless, const std::vector<grid::GridRow>& rows, int column, int sortKind) {
  headless.grid.setRows(rows, true);
  const Timed run = timed([&]() -> std::optional<std::uint64_t> {
    headless.grid.sortByColumn(column, true, sortKind);
    return headless.grid.row(1).recordId;
  });
  return run.milliseconds;
}

}  // namespace

std::vector<Comparison> compareGridSorts(int rows, int runs, std::uint64_t seed) {
  const std::vector<grid::GridRow> sample = sampleRows(rows, seed);
  HeadlessGrid headless;
  for (const char* title : {"文本", "整数", "时间"}) headless.grid.addColumn(title, 120, true);
  headless.grid.setEventGate(&headless.toolkit.eventGate());
  struct Workload {
    const char* name;
    int column;
    int sortKind;
  };
  std::vector<Comparison> comparisons;
  for (const Workload& work : {Workload{"sort-text", 1, 2}, Workload{"sort-int", 2, 4}, Workload{"sort-time", 3, 6}}) {
    Comparison comparison{work.name, 0, 0, kSortTarget, "stable_sort"};
    for (int run = 0; run < runs; ++run) {
      const double ours = gridSortTime(headless, sample, work.column, work.sortKind);
      const double reference = referenceTime(sample, work.column, work.sortKind);
      if (run == 0 || ours < comparison.ours) comparison.ours = ours;
      if (run == 0 || reference < comparison.sqlite) comparison.sqlite = reference;
    }
    comparisons.push_back(comparison);
  }
  return comparisons;
}

double timeGridAppend(int rows, std::uint64_t seed) {
  const std::vector<grid::GridRow> sample = sampleRows(rows, seed);
  std::vector<std::vector<base::TextValue>> cells;
  cells.reserve(sample.size());
  for (const grid::GridRow& row : sample) cells.push_back(row.cells.texts());
  HeadlessGrid headless;
  for (const char* title : {"文本", "整数", "时间"}) headless.grid.addColumn(title, 120, true);
  const Timed run = timed([&]() -> std::optional<std::uint64_t> {
    for (std::size_t i = 0; i < sample.size(); ++i) {
      headless.grid.appendRow(std::move(cells[i]), 0, sample[i].recordId, false, true);
    }
    headless.grid.scrollRows();
    return static_cast<std::uint64_t>(headless.grid.rowCount());
  });
  return run.milliseconds;
}

}  // namespace bench
