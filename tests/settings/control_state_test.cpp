// Saving and restoring the states of a window's controls, on the headless toolkit.

#include "settings/control_state.h"

#include <gtest/gtest.h>

#include "platform/file.h"
#include "platform/paths.h"
#include "tests/support/scratch_dir.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/list_controls.h"
#include "ui/simple_controls.h"

namespace settings {
namespace {

using ui::ControlKind;

class ControlStateTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.open(dir.file("s.ini")));
    window = openWindow();
  }

  std::unique_ptr<ui::Window> openWindow() {
    ui::WindowLayout layout;
    layout.name = "主窗口";
    layout.bounds = {0, 0, 600, 400};
    layout.controls = {
        {"按钮查找", ControlKind::Button, "", {0, 0, 80, 24}, "查找", true, true},
        {"编辑框查找内容", ControlKind::EditBox, "", {0, 30, 80, 24}, "", true, true},
        {"编辑框字节", ControlKind::EditBox, "", {0, 60, 80, 24}, "", true, true},
        {"编辑框不存", ControlKind::EditBox, "", {0, 90, 80, 24}, "", true, true},
        {"选择框查树", ControlKind::CheckBox, "", {0, 120, 80, 24}, "查树", true, true},
        {"单选框一", ControlKind::RadioButton, "", {0, 150, 80, 24}, "一", true, true},
        {"组合框表单", ControlKind::ComboBox, "", {0, 180, 80, 24}, "", true, true},
        {"列表框项目", ControlKind::ListBox, "", {100, 0, 80, 100}, "", true, true},
        {"选择列表框勾选", ControlKind::CheckedListBox, "", {200, 0, 80, 100}, "", true, true},
        {"颜色选择器底色", ControlKind::ColorPicker, "", {300, 0, 80, 24}, "", true, true},
        {"标签说明", ControlKind::Label, "", {300, 40, 80, 24}, "说明", true, true},
    };
    auto made = toolkit.createWindow(layout, nullptr);
    made->control("编辑框字节")->setStateSaving(ui::StateSaving::AsBytes);
    made->control("编辑框不存")->setStateSaving(ui::StateSaving::NeverSaved);
    auto& combo = made->get<ui::ComboBox>("组合框表单");
    combo.setItems({"甲", "乙", "丙"});
    auto& list = made->get<ui::ListBox>("列表框项目");
    list.setItems({"a", "b", "c"});
    auto& checked = made->get<ui::CheckedListBox>("选择列表框勾选");
    checked.setItems({"x", "y", "z"});
    toolkit.show(*made);
    return made;
  }

  void run(bool restore, std::vector<base::TextValue> excluded = {}) {
    ControlStateRequest request;
    request.window = window.get();
    request.restore = restore;
    request.section = "主界面";
    request.excluded = std::move(excluded);
    saveOrRestoreControls(store, request);
  }

  testing_support::ScratchDir dir;
  ui::headless::HeadlessToolkit toolkit;
  SettingsStore store;
  std::unique_ptr<ui::Window> window;
};

TEST_F(ControlStateTest, AFirstRestoreChangesNothing) {
  window->get<ui::EditBox>("编辑框查找内容").setText("原样");
  window->get<ui::ComboBox>("组合框表单").setCurrentIndex(1);
  run(true);
  EXPECT_EQ(window->get<ui::EditBox>("编辑框查找内容").text(), "原样");
  EXPECT_EQ(window->get<ui::ComboBox>("组合框表单").currentIndex(), 1);
  EXPECT_EQ(store.content(), "");
}

TEST_F(ControlStateTest, EveryKindIsSavedUnderItsKeysAndRestored) {
  window->control("按钮查找")->setTag("记住的");
  window->get<ui::EditBox>("编辑框查找内容").setText("要找的");
  window->get<ui::EditBox>("编辑框字节").setText("字节集里的");
  window->get<ui::EditBox>("编辑框不存").setText("不存");
  // A tag is the program's own text: it marks nothing, and copies are never kept.
  window->control("编辑框查找内容")->setTag("禁止保存");
  window->copyControl(*window->control("编辑框查找内容"), "编辑框生成").setTag("字段_内容_1_10_值1");
  window->get<ui::CheckBox>("选择框查树").setChecked(true);
  window->get<ui::ComboBox>("组合框表单").setCurrentIndex(2);
  auto& list = window->get<ui::ListBox>("列表框项目");
  list.setSelected(0, true);
  list.setSelected(2, true);
  auto& checked = window->get<ui::CheckedListBox>("选择列表框勾选");
  checked.setChecked(0, true);
  checked.setChecked(2, true);
  checked.setCurrentIndex(1);
  dynamic_cast<ui::ColorPicker&>(*window->control("颜色选择器底色")).setColor(255);
  run(false);

  store.selectSection("主界面");
  EXPECT_EQ(store.readText("按钮查找.标记"), "记住的");
  EXPECT_EQ(store.readText("编辑框查找内容"), "要找的");
  EXPECT_EQ(store.readText("编辑框字节", "none"), "none");  // kept in a file of its own
  EXPECT_EQ(store.readBytes("编辑框字节"), "字节集里的");
  EXPECT_EQ(store.readText("编辑框不存", "none"), "none");
  EXPECT_EQ(store.readText("选择框查树"), "真");
  EXPECT_EQ(store.readText("组合框表单"), "2");
  EXPECT_EQ(store.readText("列表框项目.选中"), "0,2");
  EXPECT_EQ(store.readBytes("列表框项目"), "a\r\nb\r\nc");
  EXPECT_EQ(store.readText("选择列表框勾选.打勾"), "0,2");
  EXPECT_EQ(store.readText("选择列表框勾选.选中"), "1");
  EXPECT_EQ(store.readText("颜色选择器底色"), "255");
  EXPECT_EQ(store.readText("标签说明", "none"), "none");
  EXPECT_EQ(store.readText("编辑框生成", "none"), "none");
  std::string bytes;
  EXPECT_EQ(platform::readWholeFile(platform::joinPath(dir.file("inibin"), "主界面-编辑框字节.ibn"), bytes),
            platform::kFileOk);

  window = openWindow();  // a fresh window, as at the next start
  window->get<ui::EditBox>("编辑框不存").setText("启动时的");
  run(true);
  EXPECT_EQ(window->control("按钮查找")->tag(), "记住的");
  EXPECT_EQ(window->get<ui::EditBox>("编辑框查找内容").text(), "要找的");
  EXPECT_EQ(window->get<ui::EditBox>("编辑框字节").text(), "字节集里的");
  EXPECT_EQ(window->get<ui::EditBox>("编辑框不存").text(), "启动时的");
  EXPECT_TRUE(window->get<ui::CheckBox>("选择框查树").checked());
  EXPECT_EQ(window->get<ui::ComboBox>("组合框表单").currentIndex(), 2);
  EXPECT_EQ(window->get<ui::ListBox>("列表框项目").selectedIndices(), (std::vector<int>{0, 2}));
  EXPECT_EQ(window->get<ui::CheckedListBox>("选择列表框勾选").checkedIndices(), (std::vector<int>{0, 2}));
  EXPECT_EQ(window->get<ui::CheckedListBox>("选择列表框勾选").currentIndex(), 1);
  EXPECT_EQ(dynamic_cast<ui::ColorPicker&>(*window->control("颜色选择器底色")).color(), 255u);
}

TEST_F(ControlStateTest, ExcludedControlsAndEmptyIndexListsAreLeftAlone) {
  window->get<ui::EditBox>("编辑框查找内容").setText("x");
  run(false, {"编辑框查找内容"});
  store.selectSection("主界面");
  EXPECT_EQ(store.readText("编辑框查找内容", "none"), "none");
  // Nothing checked saves an empty text, which reads back as the default.
  EXPECT_EQ(store.readText("选择列表框勾选.打勾", "default"), "default");
  auto& checked = window->get<ui::CheckedListBox>("选择列表框勾选");
  checked.setChecked(1, true);
  run(true);
  EXPECT_EQ(checked.checkedIndices(), (std::vector<int>{1}));
}

TEST_F(ControlStateTest, EventsRunBetweenControls) {
  int pumped = 0;
  store.setEventPump([&] { return ++pumped > 0; });
  run(false);
  EXPECT_GE(pumped, 11);
}

}  // namespace
}  // namespace settings
