// What a person types into the entry panel is what is stored, or they are told why not before
// anything is written: boxes that take no more than their field holds, dates and numbers that are
// what the box says, decimals that read back exactly, link pieces that stay apart, input that is
// not thrown away unasked, and the key values offered and filed from the right field and record.

#include "platform/file.h"
#include "tests/app/entry_panel_fixture.h"
#include "tests/support/fault_injector.h"

namespace app {
namespace {

// 平台 key text 10, 到期 time, 数量 integer, 金额 decimal, 网站 link, FTP, 备注 memo.
constexpr char kInventoryForm[] =
    "平台|10|10|0|真||到期|8|0|0|假||数量|3|0|0|假||金额|5|0|0|假||网站|22|0|0|假||FTP|23|0|0|假||备注|12|0|0|假";

class EntryPanelInputTest : public EntryPanelTest {
 protected:
  static int recordCount() {
    EXPECT_TRUE(recorddb::setCurrentDatabase("客户"));
    return recorddb::recordCount();
  }
  static base::TextValue stateLine(Run& run) { return button(run, windows::kStateLabel).caption(); }
  static void pressKey(Run& run, ui::Key key, int keys = ui::kNoKeys) {
    run.user.pressKey(*panelWindow(run).control(windows::kAddRecordButton), key, keys);
  }
};

TEST_F(EntryPanelInputTest, WhatCannotBeStoredAsTypedIsRefusedBeforeAnythingIsWritten) {
  auto run = openPanel(kInventoryForm);
  struct Case {
    int field;
    std::int32_t kind;
    int slot;
    const char* text;
    const char* said;  // what the message says after the field's name
  };
  const std::vector<Case> cases{
      {2, 8, 1, "2024-02-30", "“到期”的内容“2024-02-30”不是有效的日期时间。"},
      {2, 8, 1, "2024-02-29 25:00", "不是有效的日期时间"},
      {3, 3, 1, "80a8-0", "“数量”的内容“80a8-0”不是整数。"},
      {3, 3, 1, "99999999999", "超出了整数的范围"},
      {4, 5, 1, "99.5.3", "“金额”的内容“99.5.3”不是小数。"},
      {4, 5, 1, "123456789", "有效数字太多，保存后会变成 123456790。"},
      // Set by the program, not typed: the box's own limit does not stop it, the write does.
      {1, 10, 1, "阿里云国际版香港", "“平台”最多只能保存 10 个字节（一个汉字占 2 个字节），现在的内容有 16 个字节。"},
      {5, 22, 1, "标题|", "“网站”的内容保存后分不开"},
      {6, 23, 2, "pa||ss", "“FTP”的内容保存后分不开"},
  };
  for (const Case& c : cases) {
    ui::EditBox& bad = box(*run, c.field, c.kind, c.slot);
    fill(*run, bad, c.text);
    run->user.focus(box(*run, 7, 12));
    run->user.click(button(*run, windows::kAddRecordButton));
    const std::vector<base::TextValue> shown = run->shownMessages();
    ASSERT_FALSE(shown.empty()) << c.text;
    EXPECT_NE(shown.back().find(c.said), base::TextValue::npos) << shown.back();
    EXPECT_NE(shown.back().find("这次什么都没有写入。"), base::TextValue::npos) << c.text;
    EXPECT_TRUE(bad.hasFocus()) << c.text;
    EXPECT_EQ(bad.text(), c.text);
    EXPECT_EQ(recordCount(), 0) << c.text;
    fill(*run, bad, "");
  }
  EXPECT_EQ(run->shownMessages().size(), cases.size());

  // The same holds for 修改: the selected record keeps its values.
  fill(*run, box(*run, 1, 10), "阿里云");
  run->user.click(button(*run, windows::kAddRecordButton));
  clickRow(*run, 1);
  fill(*run, box(*run, 3, 3), "8a");
  run->user.click(button(*run, windows::kModifyRecordButton));
  EXPECT_NE(run->shownMessages().back().find("“数量”"), base::TextValue::npos);
  ASSERT_TRUE(recorddb::gotoRecord(1));
  EXPECT_EQ(recorddb::readField(3).asInteger(), 0);
}

TEST_F(EntryPanelInputTest, BoxesTakeNoMoreBytesThanTheirFieldHolds) {
  auto run = openPanel(kInventoryForm);
  ui::EditBox& platform = box(*run, 1, 10);
  EXPECT_EQ(platform.maxBytes(), 10u);
  run->user.type(platform, "阿里云国际版香港");
  EXPECT_EQ(platform.text(), "阿里云国际");
  EXPECT_GE(run->toolkit.beepCount(), 1);

  // The pieces of a link share its 512 bytes, less the "||" between them; an FTP link its 80.
  ui::EditBox& title = box(*run, 5, 22);
  ui::EditBox& address = box(*run, 5, 22, 2);
  EXPECT_EQ(address.maxBytes(), 510u);
  run->user.type(title, "我的官网");
  EXPECT_EQ(address.maxBytes(), 502u);
  EXPECT_EQ(title.maxBytes(), 510u);
  run->user.type(box(*run, 6, 23), "user");
  EXPECT_EQ(box(*run, 6, 23, 3).maxBytes(), 80u - 4u - 4u);
  // The memo takes any length; dates and numbers are read as they are, not limited.
  EXPECT_EQ(box(*run, 7, 12).maxBytes(), ui::kNoByteLimit);
  EXPECT_EQ(box(*run, 2, 8).maxBytes(), ui::kNoByteLimit);

  // What the boxes show is what is stored.
  run->user.type(address, "http://www.example.com/");
  run->user.click(button(*run, windows::kAddRecordButton));
  EXPECT_TRUE(run->shownMessages().empty());
  ASSERT_EQ(recordCount(), 1);
  ASSERT_TRUE(recorddb::gotoRecord(1));
  EXPECT_EQ(storedText(1), "阿里云国际");
  EXPECT_EQ(storedText(5), "我的官网||http://www.example.com/");
}

TEST_F(EntryPanelInputTest, AFormCopyLongerThanItsDatabaseFieldIsHeldToTheDatabase) {
  storeForms({{"客户", "平台|10|10|0|真"}});
  {
    auto run = start();
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  }
  // The list's form copy is edited by hand to promise 40 bytes; the database holds 10.
  {
    settings::SettingsStore store;
    ASSERT_TRUE(store.open(dir.file("砚川·格簿录入台.ini")));
    store.selectSection("使用表单库");
    store.writeText("客户", "平台|10|40|0|真|0");
  }
  auto run = start();
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
  EXPECT_EQ(box(*run, 1, 10).maxBytes(), 10u);
}

TEST_F(EntryPanelInputTest, NumbersAndDatesReadBackSoThatAnUnchangedValueIsWrittenBackExactly) {
  auto run = openPanel(kInventoryForm);
  fill(*run, box(*run, 1, 10), "甲");
  fill(*run, box(*run, 2, 8), "2024年2月29日10时5分3秒");
  fill(*run, box(*run, 4, 5), "1234567");
  run->user.click(button(*run, windows::kAddRecordButton));
  ASSERT_TRUE(run->shownMessages().empty());
  EXPECT_EQ(run->application.mainWindow()->grid().cell(1, 4), "1.23457e+06");  // the grid's short form

  clickRow(*run, 1);
  EXPECT_EQ(box(*run, 4, 5).text(), "1234567");
  EXPECT_EQ(box(*run, 2, 8).text(), "2024年2月29日10时5分3秒");
  run->user.typeOver(box(*run, 1, 10), "乙");
  run->user.click(button(*run, windows::kModifyRecordButton));
  ASSERT_TRUE(run->shownMessages().empty());
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  ASSERT_TRUE(recorddb::gotoRecord(1));
  EXPECT_EQ(storedText(1), "乙");
  EXPECT_EQ(recorddb::readField(4).asReal(), 1234567.0);
  EXPECT_EQ(recorddb::readField(2).asReal(), base::dateTimeFromParts({2024, 2, 29, 10, 5, 3}));

  // A decimal that binary cannot hold exactly still shows as typed.
  ASSERT_TRUE(recorddb::writeField(4, recorddb::FieldValue::single(0.1F)));
  clickRow(*run, 1);
  EXPECT_EQ(box(*run, 4, 5).text(), "0.1");
}

TEST_F(EntryPanelInputTest, UnsavedInputIsNotThrownAwayUnasked) {
  auto run = openPanel(kInventoryForm);
  // Nothing typed: Escape closes at once.
  pressKey(*run, ui::Key::Escape);
  EXPECT_EQ(panel(*run), nullptr);
  EXPECT_TRUE(run->shownMessages().empty());

  EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
  run->user.type(box(*run, 1, 10), "华为云");
  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Cancel);
  pressKey(*run, ui::Key::Escape);
  ASSERT_NE(panel(*run), nullptr);
  EXPECT_EQ(run->shownMessages(),
            (std::vector<base::TextValue>{"面板中有还没保存的内容，关闭后这些内容会丢失。确定要关闭吗？"}));
  EXPECT_EQ(box(*run, 1, 10).text(), "华为云");
  // The close box asks the same; OK closes.
  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Ok);
  run->user.closeWindow(panelWindow(*run));
  EXPECT_EQ(panel(*run), nullptr);
  EXPECT_EQ(run->shownMessages().size(), 2u);

  // A fill of the page that was cut short does not make the panel anew for the same list.
  EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
  run->user.type(box(*run, 1, 10), "腾讯云");
  run->state.listSelection.openListItem = lists::kNoListOpenYet;
  run->application.mainWindow()->openListPage();
  EXPECT_EQ(box(*run, 1, 10).text(), "腾讯云");
}

TEST_F(EntryPanelInputTest, AFailedWriteKeepsWhatWasTypedAndNamesTheError) {
  auto run = openPanel(kInventoryForm);
  // How many writes an append takes, so that the write of the values is the one that fails.
  testing_support::FaultInjector faults;
  const auto writes = testing_support::operationSet(testing_support::FileOperation::Write);
  faults.failAt(1000, writes);
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  ASSERT_TRUE(recorddb::appendRecord());
  const int appendWrites = faults.counted();
  faults.failAt(appendWrites + 1, writes);
  run->user.type(box(*run, 1, 10), "华为云");
  run->user.click(button(*run, windows::kAddRecordButton));
  faults.stop();
  ASSERT_TRUE(faults.fired());
  ASSERT_EQ(run->toolkit.messageBoxes().size(), 1u);
  EXPECT_EQ(run->toolkit.messageBoxes()[0].request.text, "有字段没能写入，列表中显示的是保存下来的内容。");
  EXPECT_NE(run->toolkit.messageBoxes()[0].request.caption, "信息：");
  EXPECT_FALSE(run->toolkit.messageBoxes()[0].request.caption.empty());
  EXPECT_EQ(box(*run, 1, 10).text(), "华为云");
}

TEST_F(EntryPanelInputTest, TheStateLineSaysWhatTheBoxesHoldAndClearEmptiesThem) {
  auto run = openPanel(kInventoryForm);
  EXPECT_EQ(stateLine(*run), "新记录");
  run->user.type(box(*run, 1, 10), "华为云");
  EXPECT_EQ(stateLine(*run), "新记录（有改动，还没保存）");
  run->user.click(button(*run, windows::kAddRecordButton));
  EXPECT_EQ(stateLine(*run), "新记录");

  clickRow(*run, 1);
  EXPECT_EQ(stateLine(*run), "第 1 条记录");
  run->user.click(tagged(*run, "字段_内容_1_1"));  // the "▼" leaves the boxes as they are
  run->user.typeOver(box(*run, 3, 3), "5");
  EXPECT_EQ(stateLine(*run), "第 1 条记录（有改动，还没保存）");
  run->user.click(button(*run, windows::kModifyRecordButton));
  EXPECT_EQ(stateLine(*run), "第 1 条记录");
  // "加入记录" with the panel open brings it forward as it is.
  EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
  EXPECT_EQ(box(*run, 1, 10).text(), "华为云");

  run->user.click(button(*run, windows::kClearButton));
  EXPECT_EQ(stateLine(*run), "新记录");
  EXPECT_EQ(box(*run, 3, 3).text(), "输入整数..");
  clickRow(*run, 1);
  pressKey(*run, ui::Key::Delete, ui::kCtrl);
  EXPECT_EQ(stateLine(*run), "新记录");
  EXPECT_TRUE(run->shownMessages().empty());
}

TEST_F(EntryPanelInputTest, TheKeyButtonOffersItsOwnFieldsValuesByNumberedCommands) {
  // Record IDs far above 16 bits: the database's next ID is set before the list's first record.
  storeForms({{"客户", "开|7|0|0|真||城市|10|20|0|真||网站|22|0|0|真"}});
  {
    auto run = start();
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  }
  {
    platform::File database;
    ASSERT_EQ(database.open(dataFile("客户.edb"), platform::FileAccess::ReadWrite, platform::ShareMode::DenyNone,
                            platform::OpenMode::OpenExisting),
              platform::kFileOk);
    const char nextId[4] = {'\x70', '\x11', '\x01', '\x00'};  // 70000
    ASSERT_EQ(database.writeAt(20, nextId, 4), platform::kFileOk);
  }
  auto run = start();
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
  for (const auto& [city, site] : std::vector<std::pair<const char*, const char*>>{{"苏州", "http://sz.cn/"},
                                                                                  {"杭州", "http://hz.cn/"}}) {
    fill(*run, box(*run, 2, 10), city);
    fill(*run, box(*run, 3, 22), city);
    fill(*run, box(*run, 3, 22, 2), site);
    run->user.click(button(*run, windows::kAddRecordButton));
  }
  ASSERT_TRUE(run->shownMessages().empty());
  // The logical key field comes first: 城市's button still lists the cities, not 真 and 假.
  run->toolkit.chooseInNextPopup("杭州");
  run->user.click(tagged(*run, "字段_内容_1_2"));
  const ui::headless::ShownPopupMenu& cities = run->toolkit.popupMenus().back();
  ASSERT_EQ(cities.items.size(), 2u);
  EXPECT_EQ(cities.items[0].caption, "苏州");
  EXPECT_EQ(cities.items[0].command, 1);
  EXPECT_EQ(cities.items[1].command, 2);
  EXPECT_EQ(box(*run, 2, 10).text(), "杭州");
  // A link's value comes whole from the record the chosen item stands for.
  run->toolkit.chooseInNextPopup("杭州");
  run->user.click(tagged(*run, "字段_内容_2_3"));
  EXPECT_EQ(box(*run, 3, 22, 2).text(), "http://hz.cn/");
}

TEST_F(EntryPanelInputTest, AModifiedKeyValueIsFiledAndAValueNoRecordHoldsLeavesTheTree) {
  auto run = openPanel("平台|10|10|0|真||名称|10|20|0|假");
  for (const char* platform : {"华为云", "阿里云", "华为云"}) {
    fill(*run, box(*run, 1, 10), platform);
    run->user.click(button(*run, windows::kAddRecordButton));
  }
  const auto hasValue = [&run](const char* value) {
    const std::vector<base::TextValue> texts = run->texts();
    return std::count(texts.begin(), texts.end(), value);
  };
  const auto modifyRow = [&run](int row, const char* platform) {
    clickRow(*run, row);
    run->user.typeOver(box(*run, 1, 10), platform);
    run->user.click(button(*run, windows::kModifyRecordButton));
  };
  // Record 3 still holds 华为云: the item stays, standing for that record.
  modifyRow(1, "华为");
  EXPECT_EQ(hasValue("华为云"), 1);
  EXPECT_EQ(hasValue("华为"), 1);
  const std::vector<ui::TreeItemInfo> items = run->tree().snapshot();
  const auto huaweiCloud = std::find_if(items.begin(), items.end(), [](const ui::TreeItemInfo& info) {
    return info.item.text == "华为云";
  });
  ASSERT_NE(huaweiCloud, items.end());
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  ASSERT_TRUE(recorddb::gotoRecord(3));
  EXPECT_EQ(huaweiCloud->item.data, recorddb::currentRecordId());

  // With the filter on 华为云, its last record changes: the value goes and the page shows the key
  // field's records, the changed one among them.
  const std::vector<base::TextValue> texts = run->texts();
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), static_cast<int>(std::find(texts.begin(), texts.end(), "华为云") -
                                                                     texts.begin())));
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  ASSERT_EQ(grid.rowCount(), 1);
  modifyRow(1, "华为");
  EXPECT_EQ(hasValue("华为云"), 0);
  EXPECT_EQ(run->tree().item(run->tree().currentItem()).text, "平台");
  EXPECT_EQ(grid.rowCount(), 3);
  ASSERT_NE(panel(*run), nullptr);
}

// After 录入 the new record is selected and in view, also when the filter of the page would hide it:
// the page shows the whole list then, and the status line says why. The status line follows adds
// and removals.
TEST_F(EntryPanelInputTest, ANewRecordIsAlwaysShownAndSelected) {
  auto run = openPanel("城市|10|20|0|真");
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  const auto status = [&run] { return run->window().control("标签状态栏")->caption(); };
  const auto add = [&run](const char* city) {
    fill(*run, box(*run, 1, 10), city);
    run->user.click(button(*run, windows::kAddRecordButton));
  };
  add("北京");
  add("上海");
  EXPECT_EQ(status(), "客户 · 2 / 2 条");
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{2}));
  const std::vector<base::TextValue> texts = run->texts();
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), static_cast<int>(std::find(texts.begin(), texts.end(), "北京") -
                                                                     texts.begin())));
  EXPECT_EQ(status(), "客户 · 城市 = 北京 · 1 / 2 条");
  add("北京");
  EXPECT_EQ(status(), "客户 · 城市 = 北京 · 2 / 3 条");
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{2}));

  add("广州");
  EXPECT_EQ(run->tree().currentItem(), 0);  // the list itself
  ASSERT_EQ(grid.rowCount(), 4);
  EXPECT_EQ(grid.cell(4, 1), "广州");
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{4}));
  EXPECT_EQ(status(), "客户 · 4 / 4 条 · 新记录不符合当前的筛选（城市 = 北京），现在显示整个列表");
  EXPECT_TRUE(run->clickToolbar(windows::kRemoveRecords));
  EXPECT_EQ(status(), "客户 · 3 / 3 条");
}

}  // namespace
}  // namespace app
