#pragma once
// The program with a list open and its entry panel opened from the toolbar, on the headless toolkit,
// and what tests of the panel need around it: its generated controls by tag, grid clicks, values
// put into boxes as the program puts them.

#include <algorithm>

#include "tests/app/program_fixture.h"
#include "ui/headless/headless_drawing_panel.h"
#include "ui/panels.h"
#include "ui/simple_controls.h"
#include "windows/entry_panel_layout.h"
#include "windows/field_control_tag.h"

namespace app {

inline constexpr ui::Color kGrey = 8421504;

// 城市 key text 200, 十二字节名称 text 200 (a name of 12 bytes), 开 logical.
inline constexpr char kLayoutForm[] = "城市|10|200|0|真||十二字节名称|10|200|0|假||开|7|0|0|假";
// One field of every kind the panel has boxes for, and a PING field that has none.
inline constexpr char kEveryKindForm[] =
    "平台|10|20|0|真||到期|8|0|0|假||数量|3|0|0|假||金额|5|0|0|假||开|7|0|0|假||备注|12|0|0|假||"
    "自由|21|0|0|假||网站|22|0|0|真||FTP|23|0|0|假||QQ|24|0|0|假||PING|25|3|0|假";

class EntryPanelTest : public ProgramFixture {
 protected:
  // The list 客户 of that form made and its page open; then the panel opened from the toolbar.
  std::unique_ptr<Run> openPanel(const char* form) {
    storeForms({{"客户", form}});
    auto run = start();
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
    run->tree().setCurrentItem(-1);
    EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
    EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
    EXPECT_NE(panel(*run), nullptr);
    return run;
  }

  static windows::EntryPanel* panel(Run& run) { return run.application.mainWindow()->entryPanel(); }
  static ui::Window& panelWindow(Run& run) { return panel(run)->window(); }

  static ui::Control& tagged(Run& run, const base::TextValue& tag) {
    for (ui::Control* control : panelWindow(run).controls()) {
      if (control->tag() == tag) return *control;
    }
    ADD_FAILURE() << "no control tagged " << tag;
    return *panelWindow(run).control(windows::kLabelTemplate);
  }
  static ui::EditBox& box(Run& run, int field, std::int32_t kind, int slot = 1) {
    return dynamic_cast<ui::EditBox&>(tagged(run, windows::valueBoxTag({field, kind, slot})));
  }
  static ui::Control& button(Run& run, const char* name) { return *panelWindow(run).control(name); }

  static int generatedCount(Run& run) {
    const auto all = panelWindow(run).controls();
    return static_cast<int>(std::count_if(all.begin(), all.end(), [](ui::Control* c) { return !c->tag().empty(); }));
  }

  // A left click on grid row `row` (from 1, none scrolled away).
  static void clickRow(Run& run, int row) {
    auto& data = run.window().get<ui::DrawingPanel>("画板数据");
    const int y = (row - 1) * run.application.mainWindow()->grid().rowHeight() + 3;
    run.user.pressMouse(data, {20, y, ui::kNoKeys, ui::MouseButton::Left});
    run.user.releaseMouse(data, {20, y, ui::kNoKeys, ui::MouseButton::Left});
  }

  // A value put into a box as the program puts one: the box has the focus first.
  static void fill(Run& run, ui::EditBox& edit, const base::TextValue& text) {
    run.user.focus(edit);
    edit.setText(text);
  }

  static base::TextValue storedText(int field) { return recorddb::readField(field).asText(); }
};

}  // namespace app
