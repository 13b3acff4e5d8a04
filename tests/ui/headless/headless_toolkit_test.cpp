// What only the headless toolkit offers tests: scripted message boxes and popup menus, the tray
// icon, timers on a hand-moved clock, queued events, key state and pointer, focus bookkeeping.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ui/headless/headless_toolkit.h"
#include "ui/headless/headless_user.h"
#include "ui/headless/headless_window.h"

namespace ui::headless {
namespace {

LayoutEntry entry(const base::TextValue& name, ControlKind kind, Rect bounds, const base::TextValue& parent = {}) {
  LayoutEntry made;
  made.name = name;
  made.kind = kind;
  made.bounds = bounds;
  made.parent = parent;
  return made;
}

class HeadlessToolkitTest : public ::testing::Test {
 protected:
  std::unique_ptr<Window> open(std::vector<LayoutEntry> controls = {}, Window* owner = nullptr) {
    WindowLayout layout;
    layout.name = "面板";
    layout.bounds = {50, 50, 756, 410};
    layout.controls = std::move(controls);
    std::unique_ptr<Window> window = kit.createWindow(layout, owner);
    kit.show(*window);
    return window;
  }

  HeadlessToolkit kit;
  HeadlessUser user{kit};
};

TEST_F(HeadlessToolkitTest, OkCancelBoxesTakeTheScriptedAnswersAndOkBoxesLeaveThem) {
  MessageBoxRequest question;
  question.buttons = MessageButtons::OkCancel;
  MessageBoxRequest info;
  kit.answerNextMessageBox(MessageAnswer::Cancel);
  EXPECT_EQ(kit.show(info), MessageAnswer::Ok);
  EXPECT_EQ(kit.show(question), MessageAnswer::Cancel);
  EXPECT_EQ(kit.show(question), MessageAnswer::Ok);
  kit.setDefaultAnswer(MessageAnswer::Cancel);
  EXPECT_EQ(kit.show(question), MessageAnswer::Cancel);
  ASSERT_EQ(kit.messageBoxes().size(), 4u);
  EXPECT_EQ(kit.messageBoxes()[1].answer, MessageAnswer::Cancel);

  int seen = 0;
  kit.whileMessageBoxShown = [&](const MessageBoxRequest& request) { seen += request.text == "等待" ? 1 : 0; };
  info.text = "等待";
  info.modality = MessageModality::Task;
  kit.show(info);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(kit.messageBoxes().back().request.modality, MessageModality::Task);
}

TEST_F(HeadlessToolkitTest, PopupMenusAreRecordedAndTheScriptedChoiceReachesTheOwner) {
  std::unique_ptr<Window> window = open();
  std::vector<int> commands;
  window->onCommand = [&](int command) { commands.push_back(command); };
  const std::vector<MenuItem> items{{"北京", 101}, {"上海", 102}};
  kit.chooseInNextPopup("上海");
  kit.showPopupMenu(*window, {300, 200}, "动态菜单列表", items);
  kit.chooseInNextPopup(0);
  kit.showPopupMenu(*window, {300, 200}, "动态菜单列表", items);
  kit.dismissNextPopup();
  kit.showPopupMenu(*window, {300, 200}, "动态菜单列表", items);
  kit.showPopupMenu(*window, {300, 200}, "动态菜单列表", items);  // nothing scripted: dismissed
  kit.chooseInNextPopup("广州");
  kit.showPopupMenu(*window, {300, 200}, "动态菜单列表", items);
  EXPECT_EQ(commands, (std::vector<int>{102, 101}));
  ASSERT_EQ(kit.popupMenus().size(), 5u);
  EXPECT_EQ(kit.popupMenus()[0].title, "动态菜单列表");
  EXPECT_EQ(kit.popupMenus()[0].screen, (Point{300, 200}));
  EXPECT_EQ(kit.popupMenus()[0].command, std::optional<int>(102));
  EXPECT_EQ(kit.popupMenus()[4].command, std::nullopt);
}

TEST_F(HeadlessToolkitTest, TheTrayIconIsRecordedAndItsHandlerMayRemoveIt) {
  std::unique_ptr<Window> window = open();
  const std::unique_ptr<Picture> icon = kit.loadPicture(std::string("\0\0\1\0\1\0\x10\x10", 8) + std::string(14, '\0'));
  ASSERT_NE(icon, nullptr);
  std::vector<TrayEvent> events;
  kit.addTrayIcon(*window, *icon, "砚川·格簿录入台", [&](TrayEvent event) {
    events.push_back(event);
    if (event == TrayEvent::RightClick) kit.removeTrayIcon(*window);
  });
  ASSERT_NE(kit.trayIcon(*window), nullptr);
  EXPECT_EQ(kit.trayIcon(*window)->tooltip, "砚川·格簿录入台");
  EXPECT_EQ(kit.trayIcon(*window)->iconSize, (Size{16, 16}));
  kit.clickTrayIcon(*window, TrayEvent::LeftClick);
  kit.clickTrayIcon(*window, TrayEvent::RightClick);
  kit.clickTrayIcon(*window, TrayEvent::LeftClick);  // gone: nothing
  EXPECT_EQ(events, (std::vector<TrayEvent>{TrayEvent::LeftClick, TrayEvent::RightClick}));
  EXPECT_EQ(kit.trayIcon(*window), nullptr);
}

TEST_F(HeadlessToolkitTest, TimersFireInTimeOrderAsTheClockMoves) {
  std::vector<std::string> ticks;
  int fast = 0;
  fast = kit.startTimer(30, [&] {
    ticks.push_back("30@" + std::to_string(kit.timers().now()));
    if (kit.timers().now() == 60) kit.stopTimer(fast);
  });
  kit.startTimer(50, [&] {
    ticks.push_back("50@" + std::to_string(kit.timers().now()));
    kit.startTimer(5, [&] { ticks.push_back("5@" + std::to_string(kit.timers().now())); });
  });
  kit.advanceTime(29);
  EXPECT_TRUE(ticks.empty());
  kit.advanceTime(31);
  EXPECT_EQ(ticks, (std::vector<std::string>{"30@30", "50@50", "5@55", "30@60", "5@60"}));  // ties: first started first
  EXPECT_EQ(kit.timers().now(), 60);
  EXPECT_EQ(kit.timers().count(), 2);
}

TEST_F(HeadlessToolkitTest, QueuedEventsRunInOrderAlsoWhenQueuedByEvents) {
  std::vector<int> ran;
  kit.post([&] {
    ran.push_back(1);
    kit.post([&] { ran.push_back(3); });
  });
  kit.post([&] { ran.push_back(2); });
  kit.processPendingEvents();
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(kit.processPendingEventsCalls(), 1);
  // An event for a later pump waits for it.
  kit.postAtPump(3, [&] { ran.push_back(5); });
  kit.postAtPump(1, [&] { ran.push_back(4); });
  kit.processPendingEvents();
  kit.processPendingEvents();
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4}));
  kit.processPendingEvents();
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4, 5}));
}

// A message box or popup menu is a modal loop: events that reach other windows meanwhile are gated
// as the pump's are, while the menu's own command reaches its window after the menu has closed.
TEST_F(HeadlessToolkitTest, ModalBoxesAndMenusLetEventsRunThroughTheGate) {
  std::unique_ptr<Window> window = open();
  EventGate& gate = kit.eventGate();
  std::vector<std::string> ran;
  kit.whileMessageBoxShown = [&](const MessageBoxRequest&) {
    EXPECT_TRUE(gate.busy());
    gate.run(WhenBusy::Refuse, nullptr, [&] { ran.push_back("refused"); });
    gate.run(WhenBusy::RunAfter, nullptr, [&] { ran.push_back("after the work"); });
  };
  window->onCommand = gate.guard<int>(WhenBusy::Refuse, [&](int command) { ran.push_back("command " + std::to_string(command)); });
  kit.chooseInNextPopup(0);
  gate.run(WhenBusy::Refuse, nullptr, [&] {
    MessageBoxRequest question;
    question.text = "等待";
    kit.show(question);
    kit.showPopupMenu(*window, {10, 10}, "菜单", {{"甲", 7}});
    ran.push_back("work ends");
  });
  EXPECT_EQ(ran, (std::vector<std::string>{"command 7", "work ends", "after the work"}));
}

TEST_F(HeadlessToolkitTest, TheMessageLoopRefusesToWaitForEver) {
  std::unique_ptr<Window> window = open();
  EXPECT_THROW(kit.runMessageLoop(), std::logic_error);
  kit.post([&] { window->close(); });
  kit.runMessageLoop();
  EXPECT_TRUE(kit.openWindows().empty());
}

TEST_F(HeadlessToolkitTest, MouseActionsPlaceThePointerAndHoldTheirKeys) {
  std::unique_ptr<Window> window = open({entry("图片框", ControlKind::Panel, {100, 50, 400, 300}),
                                         entry("画板数据", ControlKind::DrawingPanel, {10, 20, 200, 100}, "图片框")});
  Control& panel = *window->control("画板数据");
  int keysDuring = -1;
  panel.onMouseDown = [&](const MouseEvent&) { keysDuring = kit.keyState(); };
  kit.setKeyState(kShift);
  user.pressMouse(panel, {5, 6, kAlt, MouseButton::Left});
  EXPECT_EQ(keysDuring, kAlt);
  EXPECT_EQ(kit.keyState(), kShift);
  // window 50 + frame 8 + panel 100 + 10 + 5; window 50 + caption 31 + 50 + 20 + 6
  EXPECT_EQ(kit.cursorPosition(), (Point{173, 157}));
  EXPECT_EQ(window->clientSize(), (Size{740, 371}));
}

TEST_F(HeadlessToolkitTest, TheFocusIsForgottenWithItsControlOrWindow) {
  std::unique_ptr<Window> window = open({entry("编辑框甲", ControlKind::EditBox, {0, 0, 80, 24}),
                                         entry("编辑框复制", ControlKind::EditBox, {0, 30, 80, 24})});
  Control& copy = window->copyControl(*window->control("编辑框复制"), "编辑框_1");
  copy.setVisible(true);
  copy.focus();
  EXPECT_EQ(kit.focusedControl(), &copy);
  window->destroyControl(copy);
  EXPECT_EQ(kit.focusedControl(), nullptr);
  window->control("编辑框甲")->focus();
  window->close();
  EXPECT_EQ(kit.focusedControl(), nullptr);
}

TEST_F(HeadlessToolkitTest, AFocusLostHandlerThatMovesTheFocusOnWins) {
  std::unique_ptr<Window> window = open({entry("编辑框甲", ControlKind::EditBox, {0, 0, 80, 24}),
                                         entry("编辑框乙", ControlKind::EditBox, {0, 30, 80, 24}),
                                         entry("编辑框丙", ControlKind::EditBox, {0, 60, 80, 24})});
  Control& first = *window->control("编辑框甲");
  Control& third = *window->control("编辑框丙");
  int secondGained = 0;
  window->control("编辑框乙")->onFocusGained = [&] { ++secondGained; };
  first.focus();
  first.onFocusLost = [&] { third.focus(); };
  window->control("编辑框乙")->focus();
  EXPECT_EQ(kit.focusedControl(), &third);
  EXPECT_EQ(secondGained, 0);
}

TEST_F(HeadlessToolkitTest, MinimisedWindowsHaveNoClientAreaAndCannotBeReached) {
  std::unique_ptr<Window> window = open({entry("按钮", ControlKind::Button, {0, 0, 80, 24})});
  int clicks = 0;
  window->control("按钮")->onClick = [&] { ++clicks; };
  user.minimize(*window);
  EXPECT_EQ(window->clientSize(), (Size{0, 0}));
  EXPECT_FALSE(user.click(*window->control("按钮")));
  window->restore();
  EXPECT_TRUE(user.click(*window->control("按钮")));
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace ui::headless
