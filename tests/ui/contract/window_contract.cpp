// Windows: title, bounds, visibility, topmost, created/resized/closed events, closing with its
// question and its owned windows, the message loop's end, controls by name and in layout order.

#include "tests/ui/contract/contract_fixture.h"

namespace ui_contract {
namespace {

using ui::ControlKind;

class WindowContract : public ContractTest {};

TEST_F(WindowContract, ShowingRaisesCreatedOnceThenResized) {
  ui::Window& window = openWindow({}, false);
  window.onCreated = logs("created");
  window.onResized = logs("resized");
  EXPECT_FALSE(window.visible());
  kit.show(window);
  EXPECT_TRUE(window.visible());
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], "created");
  EXPECT_EQ(log[1], "resized");
  window.setVisible(false);
  kit.show(window);
  EXPECT_TRUE(window.visible());
  EXPECT_EQ(logged("created"), 1);
}

TEST_F(WindowContract, TitleBoundsAndClientArea) {
  ui::Window& window = openWindow({});
  EXPECT_EQ(window.title(), "测试窗口");
  window.setTitle("砚川·格簿录入台");
  EXPECT_EQ(window.title(), "砚川·格簿录入台");
  EXPECT_EQ(window.bounds(), (ui::Rect{100, 80, 640, 480}));
  const ui::Size client = window.clientSize();
  EXPECT_GT(client.width, 600);
  EXPECT_LT(client.width, 640);
  EXPECT_GT(client.height, 400);
  EXPECT_LT(client.height, 480);
}

TEST_F(WindowContract, ResizingRaisesResizedOnceAndMovingRaisesNothing) {
  ui::Window& window = openWindow({});
  window.onResized = logs("resized");
  window.setBounds({120, 90, 640, 480});
  EXPECT_EQ(logged("resized"), 0);
  window.setBounds({120, 90, 756, 410});
  EXPECT_EQ(logged("resized"), 1);
  EXPECT_EQ(window.bounds(), (ui::Rect{120, 90, 756, 410}));
}

TEST_F(WindowContract, MinimisingAndRestoring) {
  ui::Window& window = openWindow({});
  window.onResized = logs("resized");
  user.minimize(window);
  EXPECT_TRUE(window.minimized());
  window.restore();
  EXPECT_FALSE(window.minimized());
  EXPECT_EQ(window.bounds(), (ui::Rect{100, 80, 640, 480}));
  EXPECT_GE(logged("resized"), 2);
}

TEST_F(WindowContract, VisibilityTopmostAndCentring) {
  ui::Window& window = openWindow({});
  window.setVisible(false);
  EXPECT_FALSE(window.visible());
  window.setVisible(true);
  EXPECT_TRUE(window.visible());
  window.setTopmost(true);
  EXPECT_TRUE(window.topmost());
  window.setTopmost(false);
  EXPECT_FALSE(window.topmost());
  window.centerOnScreen();
  const ui::Rect screen = kit.screenArea();
  const ui::Rect bounds = window.bounds();
  EXPECT_NEAR(bounds.left + bounds.width / 2, screen.left + screen.width / 2, 1);
  EXPECT_NEAR(bounds.top + bounds.height / 2, screen.top + screen.height / 2, 1);
}

TEST_F(WindowContract, TheQueryCloseHandlerCanKeepTheWindowOpen) {
  ui::Window& window = openWindow({});
  bool allow = false;
  window.onQueryClose = [&] {
    log.push_back("query");
    return allow;
  };
  window.onClosed = logs("closed");
  window.close();
  EXPECT_TRUE(window.visible());
  EXPECT_EQ(log, (std::vector<std::string>{"query"}));
  allow = true;
  user.closeWindow(window);
  EXPECT_FALSE(window.visible());
  EXPECT_EQ(log, (std::vector<std::string>{"query", "query", "closed"}));
}

TEST_F(WindowContract, ClosingAnOwnerClosesTheWindowsItOwnsWithoutAsking) {
  ui::Window& owner = openWindow({});
  ui::Window& owned = openWindow({}, true, &owner);
  EXPECT_EQ(owned.owner(), &owner);
  owned.onQueryClose = [this] {
    log.push_back("owned query");
    return false;
  };
  owned.onClosed = logs("owned closed");
  owner.onClosed = logs("owner closed");
  owner.close();
  EXPECT_EQ(log, (std::vector<std::string>{"owned closed", "owner closed"}));
  EXPECT_FALSE(owned.visible());
}

TEST_F(WindowContract, TheMessageLoopEndsWhenNoWindowIsLeft) {
  ui::Window& first = openWindow({});
  ui::Window& second = openWindow({});
  second.setVisible(false);  // a hidden window still keeps the loop going
  int ticks = 0;
  int timer = 0;
  timer = kit.startTimer(10, [&] {
    ++ticks;
    if (ticks == 1) first.close();
    if (ticks == 2) {
      kit.stopTimer(timer);
      second.close();
    }
  });
  kit.runMessageLoop();
  EXPECT_EQ(ticks, 2);
}

TEST_F(WindowContract, ControlsAreFoundByNameAndListedInLayoutOrder) {
  ui::Window& window = openWindow({entry("图片框查找", ControlKind::Panel, {0, 0, 600, 40}, "", "", false),
                                   entry("标签1", ControlKind::Label, {8, 8, 112, 24}, "要查找的内容：", "图片框查找"),
                                   entry("编辑框查找内容", ControlKind::EditBox, {120, 8, 301, 24}, "", "图片框查找"),
                                   entry("按钮查找", ControlKind::Button, {496, 8, 168, 24}, "查找", "图片框查找")});
  std::vector<base::TextValue> names;
  for (ui::Control* c : window.controls()) names.push_back(c->name());
  EXPECT_EQ(names, (std::vector<base::TextValue>{"图片框查找", "标签1", "编辑框查找内容", "按钮查找"}));

  ui::Control* edit = window.control("编辑框查找内容");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->kind(), ControlKind::EditBox);
  EXPECT_EQ(edit->parent(), window.control("图片框查找"));
  EXPECT_EQ(edit->bounds(), (ui::Rect{120, 8, 301, 24}));
  EXPECT_EQ(&edit->window(), &window);
  EXPECT_EQ(window.control("编辑框查找"), nullptr);
  EXPECT_EQ(window.get<ui::Label>("标签1").caption(), "要查找的内容：");
  EXPECT_FALSE(window.control("图片框查找")->visible());
  EXPECT_TRUE(window.control("按钮查找")->visible());
}

}  // namespace
}  // namespace ui_contract
