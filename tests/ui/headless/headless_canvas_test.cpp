// The recording canvas: operations with their drawing state, the measuring rule, the pixel model,
// and picture headers.

#include <gtest/gtest.h>

#include "ui/headless/headless_canvas.h"

namespace ui::headless {
namespace {

class HeadlessCanvasTest : public ::testing::Test {
 protected:
  HeadlessCanvas canvas{[] { return Size{200, 100}; }};
};

TEST_F(HeadlessCanvasTest, OperationsAreRecordedWithTheStateTheyWereMadeIn) {
  Font bold;
  bold.bold = true;
  canvas.setFont(bold);
  canvas.setTextColor(rgb(255, 0, 0));
  canvas.text({5, 6}, "序号");
  canvas.setPen(rgb(1, 2, 3), 2);
  canvas.setNoBrush();
  canvas.rectangle({1, 2, 30, 40});
  canvas.roundRectangle({0, 0, 10, 10}, 4, 5);

  const std::vector<DrawOperation>& ops = canvas.operations();
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].kind, DrawKind::Text);
  EXPECT_EQ(ops[0].text, "序号");
  EXPECT_EQ(ops[0].area, (Rect{5, 6, 24, 12}));
  EXPECT_TRUE(ops[0].state.font.bold);
  EXPECT_EQ(ops[0].state.textColor, rgb(255, 0, 0));
  EXPECT_EQ(ops[0].state.brush, std::optional<Color>(kWhite));
  EXPECT_EQ(ops[1].state.pen, rgb(1, 2, 3));
  EXPECT_EQ(ops[1].state.penWidth, 2);
  EXPECT_FALSE(ops[1].state.brush.has_value());
  EXPECT_EQ(ops[2].corner, (Size{4, 5}));
  EXPECT_EQ(canvas.texts(), (std::vector<base::TextValue>{"序号"}));
  canvas.forget();
  EXPECT_TRUE(canvas.operations().empty());
  EXPECT_EQ(canvas.state().pen, rgb(1, 2, 3));
}

TEST_F(HeadlessCanvasTest, TextIsHalfTheFontsPixelHeightWidePerByte) {
  EXPECT_EQ(canvas.measureText("a"), (Size{6, 12}));
  EXPECT_EQ(canvas.measureText("川"), (Size{12, 12}));
  EXPECT_EQ(canvas.measureText("ab川"), (Size{24, 12}));
  EXPECT_EQ(canvas.measureText(""), (Size{0, 12}));
  Font large;
  large.size = 15;
  EXPECT_EQ(HeadlessCanvas::measure(large, "川a"), (Size{30, 20}));
}

TEST_F(HeadlessCanvasTest, ThePixelModelTakesTheLastOperationThatCoversThePoint) {
  EXPECT_EQ(canvas.colorAt({0, 0}), std::nullopt);
  canvas.setBackground(rgb(9, 9, 9));
  canvas.clear({0, 0, 200, 100});
  canvas.setBrush(rgb(0, 0, 255));
  canvas.fill({10, 10, 10, 10});
  canvas.text({10, 10}, "字");  // text is not modelled: the fill shows through
  canvas.setPen(rgb(255, 0, 0));
  canvas.line({50, 5}, {40, 5});  // right to left: the start pixel is drawn, the end is not
  canvas.line({60, 0}, {70, 10});  // slanted: not modelled

  EXPECT_EQ(canvas.colorAt({15, 15}), rgb(0, 0, 255));
  EXPECT_EQ(canvas.colorAt({20, 15}), rgb(9, 9, 9));
  EXPECT_EQ(canvas.colorAt({50, 5}), rgb(255, 0, 0));
  EXPECT_EQ(canvas.colorAt({41, 5}), rgb(255, 0, 0));
  EXPECT_EQ(canvas.colorAt({40, 5}), rgb(9, 9, 9));
  EXPECT_EQ(canvas.colorAt({65, 5}), rgb(9, 9, 9));
  EXPECT_EQ(canvas.colorAt({250, 5}), std::nullopt);
}

TEST_F(HeadlessCanvasTest, RoundRectanglesLeaveTheirCornersToWhatWasBelow) {
  canvas.setBackground(kWhite);
  canvas.clear({0, 0, 200, 100});
  canvas.setBrush(rgb(0, 255, 0));
  canvas.roundRectangle({10, 10, 40, 40}, 8, 8);
  EXPECT_EQ(canvas.colorAt({10, 10}), kWhite);
  EXPECT_EQ(canvas.colorAt({10, 30}), kBlack);
  EXPECT_EQ(canvas.colorAt({30, 30}), rgb(0, 255, 0));
}

TEST(HeadlessPictureTest, SizesComeFromBmpAndIcoHeaders) {
  std::string bmp(54, '\0');
  bmp[0] = 'B';
  bmp[1] = 'M';
  bmp[18] = 7;
  bmp[22] = static_cast<char>(0xFD);  // -3: a top-down bitmap
  bmp[23] = bmp[24] = bmp[25] = static_cast<char>(0xFF);
  EXPECT_EQ(pictureSize(bmp), (Size{7, 3}));

  std::string ico(22, '\0');
  ico[2] = 1;
  ico[4] = 1;
  ico[6] = 0;  // 256 wide
  ico[7] = 32;
  EXPECT_EQ(pictureSize(ico), (Size{256, 32}));
  ico[4] = 0;  // no image
  EXPECT_EQ(pictureSize(ico), std::nullopt);
  EXPECT_EQ(pictureSize("BM"), std::nullopt);
}

}  // namespace
}  // namespace ui::headless
