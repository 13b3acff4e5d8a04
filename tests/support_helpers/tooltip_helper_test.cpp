// TooltipHelper on the headless tooltip: what a helper without a window does, making the window, the
// grid's way of changing its data panel's tip, what the pointer then sees, and shared windows.

#include "support/tooltip_helper.h"

#include <gtest/gtest.h>

#include "ui/headless/headless_toolkit.h"
#include "ui/headless/headless_tooltip.h"
#include "ui/panels.h"

namespace support {
namespace {

using ui::headless::HeadlessTooltip;

class TooltipHelperTest : public ::testing::Test {
 protected:
  TooltipHelperTest() {
    ui::WindowLayout layout;
    layout.name = "窗口";
    layout.bounds = {0, 0, 1200, 700};
    layout.controls.push_back({"画板数据", ui::ControlKind::DrawingPanel, "", {10, 40, 1100, 600}, "", true, true});
    layout.controls.push_back({"画板表头", ui::ControlKind::DrawingPanel, "", {10, 10, 1100, 30}, "", true, true});
    window = kit.createWindow(layout, nullptr);
    kit.show(*window);
  }

  ui::Control& panel() const { return *window->control("画板数据"); }
  ui::Control& header() const { return *window->control("画板表头"); }
  static HeadlessTooltip& tooltipOf(const TooltipHelper& helper) {
    return dynamic_cast<HeadlessTooltip&>(*helper.handle());
  }

  ui::headless::HeadlessToolkit kit;
  std::unique_ptr<ui::Window> window;
};

void expectNoWindow(TooltipHelper& helper, ui::Control& control) {
  EXPECT_FALSE(helper.addTool(control, "提示", false));
  helper.removeTool(control);
  helper.updateText(control, "提示");
  helper.setBackgroundColor(ui::rgb(1, 2, 3));
  helper.setTextColor(ui::rgb(1, 2, 3));
  helper.setDelays(100, 100);
  helper.pop();
  EXPECT_EQ(helper.backgroundColor(), 0u);
  EXPECT_EQ(helper.textColor(), 0u);
  EXPECT_EQ(helper.setMaxWidth(300), 0);
  EXPECT_EQ(helper.toolCount(), 0);
  EXPECT_TRUE(helper.toolTexts().empty());
  EXPECT_EQ(helper.toolText(control, 100), std::nullopt);
  EXPECT_FALSE(helper.destroy());
}

TEST_F(TooltipHelperTest, WithoutAWindowEveryOperationGivesNothingAndDoesNothing) {
  TooltipHelper never;
  expectNoWindow(never, panel());
  EXPECT_EQ(never.handle(), nullptr);

  TooltipHelper destroyed;
  ASSERT_NE(destroyed.create(kit, true, false), nullptr);
  ASSERT_TRUE(destroyed.addTool(panel(), "提示", false));
  std::weak_ptr<ui::Tooltip> made = destroyed.handle();
  EXPECT_TRUE(destroyed.destroy());
  EXPECT_EQ(destroyed.handle(), nullptr);
  EXPECT_TRUE(made.expired());
  expectNoWindow(destroyed, panel());
}

TEST_F(TooltipHelperTest, CreateMakesOneWindowAndKeepsIt) {
  TooltipHelper helper;
  TooltipHandle made = helper.create(kit, true, false);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(helper.handle(), made);
  EXPECT_FALSE(tooltipOf(helper).balloon());
  EXPECT_EQ(tooltipOf(helper).maxWidth(), kMultiLineTipWidth);
  EXPECT_NE(made->nativeHandle(), 0u);

  // A second create keeps the window it has.
  EXPECT_EQ(helper.create(kit, false, true), nullptr);
  EXPECT_EQ(helper.handle(), made);

  TooltipHelper oneLine;
  ASSERT_NE(oneLine.create(kit, false, true), nullptr);
  EXPECT_TRUE(tooltipOf(oneLine).balloon());
  EXPECT_EQ(tooltipOf(oneLine).maxWidth(), -1);
  EXPECT_EQ(oneLine.setMaxWidth(200), -1);
  EXPECT_EQ(oneLine.setMaxWidth(300), 200);
}

TEST_F(TooltipHelperTest, TheGridRemovesAndAddsItsPanelsTipOnEveryChangeOfCell) {
  TooltipHelper helper;
  helper.create(kit, true, false);
  HeadlessTooltip& tooltip = tooltipOf(helper);

  // Removing the tip of a control that has none does nothing.
  helper.removeTool(panel());
  EXPECT_EQ(helper.toolCount(), 0);

  for (const char* text : {"第一行单元格", "http://a.example/?x=1&y=2", "第三个"}) {
    helper.removeTool(panel());
    EXPECT_TRUE(helper.addTool(panel(), text, false));
  }
  ASSERT_EQ(helper.toolCount(), 1);
  EXPECT_EQ(helper.toolTexts(), std::vector<base::TextValue>{"第三个"});
  EXPECT_EQ(tooltip.tools()[0].area, (ui::Rect{0, 0, 1100, 600}));
  EXPECT_FALSE(tooltip.tools()[0].centred);
  // The platform keeps one tip per control: adding again without removing is refused.
  EXPECT_FALSE(helper.addTool(panel(), "又一个", false));
  EXPECT_EQ(helper.toolText(panel(), 100), base::TextValue("第三个"));

  // The pointer resting over the panel shows the tip below it; outside its area nothing shows.
  EXPECT_TRUE(tooltip.hover(panel(), {30, 50}));
  ASSERT_TRUE(tooltip.shown());
  EXPECT_EQ(tooltip.shown()->text, "第三个");
  EXPECT_EQ(tooltip.shown()->position, (ui::Point{30, 50 + ui::headless::kTipOffsetBelowPointer}));
  helper.removeTool(panel());
  EXPECT_FALSE(tooltip.shown());
  EXPECT_FALSE(tooltip.hover(panel(), {30, 50}));
  helper.addTool(panel(), "单元格", false);
  EXPECT_FALSE(tooltip.hover(panel(), {1100, 50}));
  EXPECT_FALSE(tooltip.hover(header(), {30, 10}));

  // pop hides the tip shown now; updateText changes the tip in place.
  EXPECT_TRUE(tooltip.hover(panel(), {5, 5}));
  helper.updateText(panel(), "新的文本");
  EXPECT_EQ(tooltip.shown()->text, "新的文本");
  helper.pop();
  EXPECT_FALSE(tooltip.shown());
  EXPECT_EQ(helper.toolText(panel(), 100), base::TextValue("新的文本"));
  // An empty tip shows nothing.
  helper.updateText(panel(), "");
  EXPECT_FALSE(tooltip.hover(panel(), {5, 5}));
}

TEST_F(TooltipHelperTest, AMultiLineTipBreaksAtTheMaximumWidth) {
  TooltipHelper helper;
  helper.create(kit, true, false);
  HeadlessTooltip& tooltip = tooltipOf(helper);
  // Every byte is 6 px wide in the default font: 1024 px hold 170 bytes, that is 85 characters.
  base::TextValue chinese;
  for (int count = 0; count < 200; ++count) chinese += "格";
  helper.addTool(panel(), chinese, false);
  ASSERT_TRUE(tooltip.hover(panel(), {1, 1}));
  EXPECT_EQ(tooltip.shown()->lines, (std::vector<base::TextValue>{chinese.substr(0, 170), chinese.substr(170, 170),
                                                                   chinese.substr(340)}));

  // Words break at spaces, and line feeds start a new line.
  helper.setMaxWidth(60);  // ten bytes
  helper.updateText(panel(), "alpha beta gamma\r\n第二段\n");
  ASSERT_TRUE(tooltip.hover(panel(), {1, 1}));
  EXPECT_EQ(tooltip.shown()->lines, (std::vector<base::TextValue>{"alpha beta", "gamma", "第二段", ""}));
  helper.updateText(panel(), "abcdefghijklmn");
  ASSERT_TRUE(tooltip.hover(panel(), {1, 1}));
  EXPECT_EQ(tooltip.shown()->lines, (std::vector<base::TextValue>{"abcdefghij", "klmn"}));

  // A one-line tooltip never breaks.
  TooltipHelper oneLine;
  oneLine.create(kit, false, false);
  oneLine.addTool(panel(), chinese, true);
  HeadlessTooltip& single = tooltipOf(oneLine);
  ASSERT_TRUE(single.hover(panel(), {1, 1}));
  EXPECT_EQ(single.shown()->lines, std::vector<base::TextValue>{chinese});
}

TEST_F(TooltipHelperTest, DelaysAndTexts) {
  TooltipHelper helper;
  helper.create(kit, true, false);
  HeadlessTooltip& tooltip = tooltipOf(helper);
  helper.setDelays(200, 0);
  EXPECT_EQ(tooltip.delay(ui::TooltipDelay::Initial), 200);
  EXPECT_EQ(tooltip.delay(ui::TooltipDelay::AutoPop), 5000);
  helper.setDelays(-5, 2147483647);
  EXPECT_EQ(tooltip.delay(ui::TooltipDelay::Initial), 200);
  EXPECT_EQ(tooltip.delay(ui::TooltipDelay::AutoPop), 32767);

  // toolTexts leaves out empty tips; toolText cuts to the buffer, never inside a character.
  helper.addTool(panel(), "", false);
  helper.addTool(header(), "表头提示", true);
  EXPECT_EQ(helper.toolCount(), 2);
  EXPECT_EQ(helper.toolTexts(), std::vector<base::TextValue>{"表头提示"});
  EXPECT_EQ(helper.toolText(header(), 4), base::TextValue("表"));
  EXPECT_EQ(helper.toolText(header(), 5), base::TextValue("表头"));
  EXPECT_EQ(helper.toolText(header(), 0), base::TextValue());
  EXPECT_EQ(helper.toolText(panel(), 10), base::TextValue());
  TooltipHelper other;
  other.create(kit, true, false);
  EXPECT_EQ(other.toolText(header(), 10), std::nullopt);
}

TEST_F(TooltipHelperTest, CopiesShareTheWindowUntilTheLastOneGoes) {
  std::weak_ptr<ui::Tooltip> made;
  {
    TooltipHelper original;
    original.create(kit, true, false);
    made = original.handle();
    TooltipHelper copy = original;
    copy.addTool(panel(), "共享", false);
    EXPECT_EQ(original.toolTexts(), std::vector<base::TextValue>{"共享"});
    { TooltipHelper passing = copy; }
    EXPECT_FALSE(made.expired());
    // Destroying through one copy leaves the others without a window.
    EXPECT_TRUE(copy.destroy());
    expectNoWindow(original, panel());
    // A helper whose window went makes a new one.
    EXPECT_NE(original.create(kit, false, false), nullptr);
  }
  EXPECT_TRUE(made.expired());

  TooltipHelper first;
  TooltipHelper second;
  first.create(kit, true, false);
  TooltipHandle firstHandle = first.handle();
  EXPECT_EQ(second.setHandle(firstHandle), nullptr);
  second.addTool(panel(), "经由第二个", false);
  EXPECT_EQ(first.toolCount(), 1);
  EXPECT_EQ(second.setHandle(nullptr), firstHandle);
  EXPECT_EQ(second.toolCount(), 0);
}

}  // namespace
}  // namespace support
