// Drawing panels: the canvas is the panel's size, measures text, and keeps what was drawn.

#include "tests/ui/contract/contract_fixture.h"

namespace ui_contract {
namespace {

using ui::ControlKind;

class CanvasContract : public ContractTest {
 protected:
  CanvasContract()
      : window(openWindow({entry("画板数据", ControlKind::DrawingPanel, {10, 10, 300, 200})})),
        panel(control<ui::DrawingPanel>(window, "画板数据")),
        canvas(panel.canvas()) {}

  ui::Window& window;
  ui::DrawingPanel& panel;
  ui::Canvas& canvas;
};

TEST_F(CanvasContract, TheCanvasIsThePanelsSize) {
  EXPECT_EQ(canvas.size(), (ui::Size{300, 200}));
  panel.resize(420, 160);
  EXPECT_EQ(panel.canvas().size(), (ui::Size{420, 160}));
}

TEST_F(CanvasContract, FullWidthCharactersMeasureAboutTwiceAsWideAsAscii) {
  canvas.setFont(ui::Font{});
  const ui::Size a = canvas.measureText("a");
  const ui::Size chuan = canvas.measureText("川");
  ASSERT_GT(a.width, 0);
  EXPECT_GE(chuan.width * 2, a.width * 3);
  EXPECT_LE(chuan.width * 2, a.width * 5);
  EXPECT_EQ(canvas.measureText("川川川").width, 3 * chuan.width);
  EXPECT_EQ(canvas.measureText("").width, 0);
  EXPECT_GT(chuan.height, 0);
  EXPECT_EQ(canvas.measureText("a川").height, chuan.height);

  ui::Font large;
  large.size = 18;
  canvas.setFont(large);
  EXPECT_GT(canvas.measureText("川").width, chuan.width);
  EXPECT_GT(canvas.measureText("川").height, chuan.height);
}

TEST_F(CanvasContract, WhatWasDrawnStaysAfterTheWindowIsHiddenAndShown) {
  canvas.setBackground(ui::rgb(255, 255, 255));
  canvas.clear({0, 0, 300, 200});
  canvas.setBrush(ui::rgb(0x46, 0x82, 0xB4));
  canvas.fill({20, 20, 50, 30});
  canvas.setPen(ui::rgb(255, 0, 0));
  canvas.line({0, 100}, {300, 100});
  panel.refresh();
  window.setVisible(false);
  kit.processPendingEvents();
  window.setVisible(true);
  kit.processPendingEvents();

  const std::optional<ui::Color> inside = user.pixelAt(panel, {30, 30});
  if (!inside) GTEST_SKIP() << "the backend cannot read pixels";
  EXPECT_EQ(*inside, ui::rgb(0x46, 0x82, 0xB4));
  EXPECT_EQ(user.pixelAt(panel, {100, 30}), ui::rgb(255, 255, 255));
  EXPECT_EQ(user.pixelAt(panel, {150, 100}), ui::rgb(255, 0, 0));
  EXPECT_EQ(user.pixelAt(panel, {69, 49}), ui::rgb(0x46, 0x82, 0xB4));  // right and bottom edges exclusive
  EXPECT_EQ(user.pixelAt(panel, {70, 30}), ui::rgb(255, 255, 255));
  EXPECT_EQ(user.pixelAt(panel, {30, 50}), ui::rgb(255, 255, 255));
}

TEST_F(CanvasContract, RectanglesAreOutlinedWithThePenAndFilledWithTheBrush) {
  canvas.setBackground(ui::kWhite);
  canvas.clear({0, 0, 300, 200});
  canvas.setPen(ui::kBlack);
  canvas.setBrush(ui::rgb(0, 255, 0));
  canvas.rectangle({10, 10, 40, 40});
  canvas.setNoBrush();
  canvas.rectangle({100, 10, 40, 40});
  panel.refresh();
  kit.processPendingEvents();

  const std::optional<ui::Color> edge = user.pixelAt(panel, {10, 20});
  if (!edge) GTEST_SKIP() << "the backend cannot read pixels";
  EXPECT_EQ(*edge, ui::kBlack);
  EXPECT_EQ(user.pixelAt(panel, {49, 20}), ui::kBlack);
  EXPECT_EQ(user.pixelAt(panel, {30, 30}), ui::rgb(0, 255, 0));
  EXPECT_EQ(user.pixelAt(panel, {120, 30}), ui::kWhite);
  EXPECT_EQ(user.pixelAt(panel, {100, 30}), ui::kBlack);
}

}  // namespace
}  // namespace ui_contract
