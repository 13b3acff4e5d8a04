// The grid's tips over link cells and cut cells name what the click opens: a direction control or
// zero-width character in the value shows as "<U+202E>", as the opened address encodes it.

#include <gtest/gtest.h>

#include "platform/text_codec.h"
#include "tests/grid/grid_fixture.h"

namespace links {
namespace {

TEST(LinkTipTest, ADirectionControlInTheValueIsShownInTheTip) {
  grid::testing::GridFixture f;
  f.addColumns({120, 60});
  f.addRows(1);
  f.layOut();
  f.form.fields[0].kind = 22;  // link
  const base::TextValue rightToLeft = platform::pathTextFromUtf16(u"\u202E");  // as a stored value holds it
  f.grid.setStoredValueReader([&](int, int) { return "标题||example.com/" + rightToLeft + "moc.live"; });
  f.grid.setCell(1, 2, "a text " + rightToLeft + " too long for sixty pixels");
  f.user.moveMouse(f.data, {10, 15, 0, ui::MouseButton::None});
  f.user.moveMouse(f.data, {150, 15, 0, ui::MouseButton::None});
  ASSERT_EQ(f.tips.shown.size(), 2u);
  EXPECT_EQ(f.tips.shown[0].text, "点击打开或按住Alt键点击复制：example.com/<U+202E>moc.live");
  EXPECT_EQ(f.tips.shown[1].text, "a text <U+202E> too long for sixty pixels");
}

}  // namespace
}  // namespace links
