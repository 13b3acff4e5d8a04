// The program's windows on screens of 96, 144 and 192 DPI: the layouts compute the same designed
// pixels at every DPI, the backend places every control at those bounds scaled, and no two controls
// that lie side by side in the layout overlap on the device. A main window moved to a screen of
// another DPI is placed again.

#include <map>
#include <string>

#include "tests/app/program_fixture.h"
#include "ui/headless/headless_control.h"
#include "ui/headless/headless_window.h"

namespace app {
namespace {

using Layout = std::map<std::string, ui::Rect>;

Layout designedBounds(const ui::Window& window) {
  Layout bounds;
  for (const ui::Control* control : window.controls()) bounds[control->name()] = control->bounds();
  return bounds;
}

bool overlap(const ui::Rect& a, const ui::Rect& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom() && a.width > 0 &&
         a.height > 0 && b.width > 0 && b.height > 0;
}

// Every control where its designed bounds put it at the window's DPI; shown controls of one parent
// that do not overlap in the layout do not overlap on the device.
void expectPlacedWithoutOverlap(const ui::Window& window) {
  const ui::DpiScale& scale = window.dpiScale();
  const std::vector<ui::Control*> controls = window.controls();
  for (const ui::Control* control : controls) {
    const auto& placed = dynamic_cast<const ui::headless::HeadlessControlBase&>(*control);
    EXPECT_EQ(placed.deviceBounds(), scale.toDevice(control->bounds())) << control->name() << " at " << scale.dpi();
    EXPECT_EQ(placed.deviceFontPixels(), scale.fontPixels(control->font().size)) << control->name();
  }
  for (std::size_t i = 0; i < controls.size(); ++i) {
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      const ui::Control& a = *controls[i];
      const ui::Control& b = *controls[j];
      if (a.parent() != b.parent() || !a.visible() || !b.visible() || overlap(a.bounds(), b.bounds())) continue;
      const auto& deviceA = dynamic_cast<const ui::headless::HeadlessControlBase&>(a).deviceBounds();
      const auto& deviceB = dynamic_cast<const ui::headless::HeadlessControlBase&>(b).deviceBounds();
      EXPECT_FALSE(overlap(deviceA, deviceB)) << a.name() << " and " << b.name() << " at " << scale.dpi();
    }
  }
}

class DpiLayoutTest : public ProgramFixture {
 protected:
  struct Windows {
    Layout main;
    Layout panel;
    Layout designer;
  };

  // The program on a screen of that DPI, a list of the sample form open with its entry panel and the
  // form designer.
  Windows openEverything(int dpi) {
    ui::headless::HeadlessMetrics screen;
    screen.dpi = dpi;
    testing_support::ScratchDir folder;  // each DPI starts on a new run folder
    auto run = std::make_unique<Run>(folder.path(), screen);
    EXPECT_TRUE(run->application.startup());
    windows::MainWindow& main = *run->application.mainWindow();
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
    run->tree().setCurrentItem(-1);
    EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
    EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
    main.openFormDesigner();
    EXPECT_NE(main.entryPanel(), nullptr);
    EXPECT_NE(main.formDesigner(), nullptr);
    if (main.entryPanel() == nullptr || main.formDesigner() == nullptr) return {};
    for (ui::Window* window : {&run->window(), &main.entryPanel()->window(), &main.formDesigner()->window()}) {
      EXPECT_EQ(window->dpiScale().dpi(), dpi);
      expectPlacedWithoutOverlap(*window);
    }
    Windows seen{designedBounds(run->window()), designedBounds(main.entryPanel()->window()),
                 designedBounds(main.formDesigner()->window())};
    run.reset();
    return seen;
  }
};

TEST_F(DpiLayoutTest, EveryWindowComputesTheSameLayoutAtEveryDpiAndIsPlacedScaled) {
  const Windows at96 = openEverything(96);
  ASSERT_FALSE(at96.panel.empty());
  ASSERT_FALSE(at96.designer.empty());
  for (int dpi : {144, 192}) {
    const Windows scaled = openEverything(dpi);
    EXPECT_EQ(scaled.main, at96.main) << dpi;
    EXPECT_EQ(scaled.panel, at96.panel) << dpi;
    EXPECT_EQ(scaled.designer, at96.designer) << dpi;
  }
}

TEST_F(DpiLayoutTest, AMainWindowMovedToAnotherScreenIsPlacedAgainAtTheNewScale) {
  auto run = start();
  ui::Window& window = run->window();
  const Layout before = designedBounds(window);
  auto& headless = dynamic_cast<ui::headless::HeadlessWindow&>(window);
  for (int dpi : {144, 192, 96}) {
    headless.userMoveToScreenOfDpi(dpi);
    EXPECT_EQ(designedBounds(window), before) << dpi;
    expectPlacedWithoutOverlap(window);
  }
}

}  // namespace
}  // namespace app
