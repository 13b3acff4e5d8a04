#pragma once
// A grid attached to the five panels of a headless window laid out as the main window's, with a
// form for its columns and tips that record what they were told.

#include <memory>
#include <vector>

#include "grid/record_grid.h"
#include "ui/headless/headless_drawing_panel.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/headless/headless_user.h"

namespace grid::testing {

struct RecordingTips : GridTips {
  void show(const base::TextValue& text, ui::Point at) override { shown.push_back({text, at}); }
  void hide() override { ++hidden; }
  struct Tip {
    base::TextValue text;
    ui::Point at;
  };
  std::vector<Tip> shown;
  int hidden = 0;
};

inline ui::WindowLayout gridWindowLayout() {
  using ui::ControlKind;
  ui::WindowLayout layout;
  layout.name = "主窗口";
  layout.bounds = {0, 0, 1000, 600};
  layout.controls = {{"画板容器", ControlKind::Panel, "", {10, 10, 866, 478}, "", true, true},
                     {"画板表头", ControlKind::DrawingPanel, "画板容器", {0, 0, 866, 25}, "", true, true},
                     {"画板数据", ControlKind::DrawingPanel, "画板容器", {0, 24, 866, 454}, "", true, true},
                     {"画板横滚", ControlKind::DrawingPanel, "画板容器", {0, 460, 866, 18}, "", true, true},
                     {"画板纵滚", ControlKind::DrawingPanel, "画板容器", {848, 24, 18, 436}, "", true, true}};
  return layout;
}

class GridFixture {
 public:
  explicit GridFixture(AttachOptions options = {}) {
    toolkit.show(*window);
    grid.setForm(&form);
    grid.setTips(&tips);
    grid.attach({header, data, *window->control("画板容器"), hScroll, vScroll}, options);
  }

  ~GridFixture() { grid.detach(); }

  // Columns of the given widths, titled "列1", "列2", ..., with plain text fields in the form.
  void addColumns(const std::vector<int>& widths) {
    for (int width : widths) {
      const base::TextValue title = "列" + std::to_string(grid.columnCount() + 1);
      grid.addColumn(title, width, true);
      form.fields.push_back({title, 10, 20, 0, false, width});
    }
  }
  // `count` rows whose cells are "r<row>c<column>", record IDs 100 + row.
  void addRows(int count) {
    for (int r = 1; r <= count; ++r) {
      std::vector<base::TextValue> cells;
      for (int c = 1; c <= grid.columnCount(); ++c) cells.push_back("r" + std::to_string(r) + "c" + std::to_string(c));
      grid.appendRow(cells, 0, 100 + r, true, true);
    }
  }
  void layOut() { grid.setBounds(10, 10, 866, 478); }
  void forgetDrawings() {
    for (ui::headless::HeadlessDrawingPanel* panel : {&header, &data, &hScroll, &vScroll}) panel->recording().forget();
  }

  ui::headless::HeadlessToolkit toolkit;
  std::unique_ptr<ui::Window> window = toolkit.createWindow(gridWindowLayout(), nullptr);
  ui::headless::HeadlessDrawingPanel& header = window->get<ui::headless::HeadlessDrawingPanel>("画板表头");
  ui::headless::HeadlessDrawingPanel& data = window->get<ui::headless::HeadlessDrawingPanel>("画板数据");
  ui::headless::HeadlessDrawingPanel& hScroll = window->get<ui::headless::HeadlessDrawingPanel>("画板横滚");
  ui::headless::HeadlessDrawingPanel& vScroll = window->get<ui::headless::HeadlessDrawingPanel>("画板纵滚");
  ui::headless::HeadlessUser user{toolkit};
  forms::FormDefinition form;
  RecordingTips tips;
  RecordGrid grid;
};

}  // namespace grid::testing
