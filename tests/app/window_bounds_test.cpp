// Where the main window and the entry panel open: where they were when the program closed, on a
// screen that exists now.

#include "tests/app/program_fixture.h"
#include "windows/window_bounds.h"

namespace app {
namespace {

using ui::Rect;

TEST(PlaceOnScreensTest, AWindowOpensWholeOnTheScreenItSharesMostWith) {
  const std::vector<Rect> twoScreens{{0, 0, 1920, 1040}, {1920, 0, 1280, 984}};
  const std::vector<std::tuple<Rect, std::vector<Rect>, Rect>> cases{
      {{100, 80, 900, 600}, twoScreens, {100, 80, 900, 600}},            // where it was
      {{2000, 100, 900, 600}, twoScreens, {2000, 100, 900, 600}},        // on the second screen
      {{1300, 100, 900, 600}, twoScreens, {1020, 100, 900, 600}},        // mostly on the first: moved in
      {{2900, 700, 900, 600}, twoScreens, {2300, 384, 900, 600}},        // hanging off the second
      {{2000, 100, 900, 600}, {twoScreens[0]}, {1020, 100, 900, 600}},   // the second screen is gone
      {{-5000, -5000, 3000, 2000}, twoScreens, {0, 0, 1920, 1040}},      // far off and too large
  };
  for (const auto& [remembered, screens, placed] : cases) {
    EXPECT_EQ(windows::placeOnScreens(remembered, screens), placed) << remembered.left << "," << remembered.top;
  }
}

class WindowBoundsTest : public ProgramFixture {};

TEST_F(WindowBoundsTest, TheWindowsOpenWhereTheyWereOnAScreenThatExists) {
  storeForms({{"客户", kKeyedForm}});
  ui::headless::HeadlessMetrics twoScreens;
  twoScreens.otherScreens = {{1920, 0, 1280, 984}};
  {
    auto run = start(twoScreens);
    EXPECT_EQ(run->window().bounds(), windows::mainWindowLayout().bounds);  // nothing remembered yet
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
    run->window().setBounds({2000, 60, 1000, 700});
    EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
    run->application.mainWindow()->entryPanel()->window().setBounds({2100, 200, 756, 300});
    EXPECT_TRUE(run->user.closeWindow(run->window()));
  }
  {
    auto run = start(twoScreens);
    EXPECT_EQ(run->window().bounds(), (Rect{2000, 60, 1000, 700}));
    EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
    const Rect panel = run->application.mainWindow()->entryPanel()->window().bounds();
    EXPECT_EQ(panel.left, 2100);
    EXPECT_EQ(panel.top, 200);
    // Closed on its own, the panel remembers where it is too.
    run->application.mainWindow()->entryPanel()->window().setBounds({2150, 250, panel.width, panel.height});
    run->application.mainWindow()->entryPanel()->close();
    run->window().maximize();
    EXPECT_TRUE(run->user.closeWindow(run->window()));
  }
  // The second screen is gone: both open on the first one; the main window maximised again, its
  // normal bounds kept.
  auto run = start();
  EXPECT_TRUE(run->window().maximized());
  EXPECT_EQ(run->window().normalBounds(), (Rect{920, 60, 1000, 700}));
  EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
  EXPECT_EQ(run->application.mainWindow()->entryPanel()->window().bounds().left, 1920 - 756);
}

}  // namespace
}  // namespace app
