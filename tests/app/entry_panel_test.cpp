// The entry panel driven as a user drives it, on the headless toolkit: its layout for a form, the
// grey hints, adding and modifying records through it, a grid click filling it, the key-value
// popup, its rebuild for another list, and what is still there after a restart.

#include <algorithm>

#include "base/date_time.h"
#include "base/number_text.h"
#include "platform/file.h"
#include "tests/app/entry_panel_fixture.h"

namespace app {
namespace {

TEST_F(EntryPanelTest, TheLayoutFollowsTheFormsFieldsAndTheKindTable) {
  auto run = openPanel(kLayoutForm);
  ui::Window& w = panelWindow(*run);
  EXPECT_EQ(w.title(), "数据录入面板 - 点击主界面记录可以传值到本面板");
  EXPECT_EQ(w.owner(), &run->window());
  const int client = w.clientSize().width;

  // The longest name (12 bytes) makes every label (12 + 2) × 8 wide; boxes start after it.
  const ui::Control& keyLabel = tagged(*run, "字段_名称_1");
  EXPECT_EQ(keyLabel.caption(), "城市：");
  EXPECT_EQ(keyLabel.bounds(), (ui::Rect{10, 10, 112, 32}));
  EXPECT_EQ(keyLabel.textColor(), 255u);
  EXPECT_EQ(tagged(*run, "字段_名称_2").textColor(), 0u);
  EXPECT_EQ(tagged(*run, "字段_名称_2").bounds().top, 40);

  // 200 characters do not fit: both boxes end at the right edge, the key one 17 pixels earlier so
  // that its "▼" button fits after it.
  const ui::Rect keyBox = box(*run, 1, 10).bounds();
  const ui::Rect plainBox = box(*run, 2, 10).bounds();
  EXPECT_EQ(keyBox, (ui::Rect{122, 14, client - 132 - 17, 24}));
  EXPECT_EQ(plainBox, (ui::Rect{122, 44, client - 132, 24}));
  EXPECT_EQ(tagged(*run, "字段_内容_1_1").bounds(), (ui::Rect{keyBox.right() + 2, 14, 16, 24}));
  EXPECT_TRUE(tagged(*run, "字段_内容_1_1").visible());

  // A logical field is a check box right after its label, with no hint.
  const ui::Control& check = tagged(*run, "字段_内容_3_7_值1");
  EXPECT_EQ(check.kind(), ui::ControlKind::CheckBox);
  EXPECT_EQ(check.caption(), "OK");
  EXPECT_EQ(check.bounds(), (ui::Rect{122, 70, 64, 32}));

  // Three rows: the buttons at 10 + 3 × 30 + 10, the window 50 below them.
  const double third = (client - 40) / 3.0;
  EXPECT_EQ(button(*run, windows::kAddRecordButton).bounds(), (ui::Rect{10, 110, static_cast<int>(third * 2), 48}));
  const ui::Rect add = button(*run, windows::kAddRecordButton).bounds();
  EXPECT_EQ(button(*run, windows::kModifyRecordButton).bounds(), (ui::Rect{add.right() + 20, 110, static_cast<int>(third), 48}));
  // Under them the line that says what the boxes hold, and "清空" under "修改"; the window ends 50
  // below that row.
  EXPECT_EQ(button(*run, windows::kStateLabel).bounds(), (ui::Rect{10, 166 + 6, add.width, 20}));
  EXPECT_EQ(button(*run, windows::kStateLabel).caption(), "新记录");
  EXPECT_EQ(button(*run, windows::kClearButton).bounds(), (ui::Rect{add.right() + 20, 166, static_cast<int>(third), 28}));
  EXPECT_EQ(w.bounds().height, 166 + 28 + 50);
  EXPECT_EQ(w.bounds().width, 756);
  for (const char* name : {windows::kLabelTemplate, windows::kEditBoxTemplate, windows::kCheckBoxTemplate,
                           windows::kKeyButtonTemplate}) {
    EXPECT_FALSE(w.control(name)->visible()) << name;
  }
}

TEST_F(EntryPanelTest, APingOnlyFormGivesNoRowsAndTheSmallestPanel) {
  auto run = openPanel("PING|25|3|0|假");
  EXPECT_EQ(generatedCount(*run), 0);
  EXPECT_EQ(button(*run, windows::kAddRecordButton).bounds().top, 20);
  EXPECT_EQ(panelWindow(*run).bounds().height, 20 + 48 + 8 + 28 + 50);
}

TEST_F(EntryPanelTest, EveryKindGetsItsBoxesInputModesAndGreyHints) {
  auto run = openPanel(kEveryKindForm);
  // The first box has the focus: it shows no hint.
  EXPECT_TRUE(box(*run, 1, 10).hasFocus());
  EXPECT_EQ(box(*run, 1, 10).text(), "");
  const std::vector<std::tuple<int, int, int, const char*>> hints{
      {2, 8, 1, "输入日期时间.."},       {3, 3, 1, "输入整数.."},      {4, 5, 1, "输入小数.."},
      {6, 12, 1, "输入任意长度文本，可换行.."}, {7, 21, 1, "输入自由的日期时间，可排序.."},
      {8, 22, 1, "输入链接的标题.."},     {8, 22, 2, "输入链接的网址.."}, {9, 23, 1, "输入FTP用户名.."},
      {9, 23, 2, "输入FTP密码.."},        {9, 23, 3, "输入服务器地址.."}, {10, 24, 1, "输入QQ链接的标题（可以留空）.."},
      {10, 24, 2, "输入QQ号.."}};
  for (const auto& [field, kind, slot, hint] : hints) {
    const ui::EditBox& edit = box(*run, field, kind, slot);
    EXPECT_EQ(edit.text(), hint) << field << "/" << slot;
    EXPECT_EQ(edit.textColor(), kGrey) << field << "/" << slot;
  }
  EXPECT_EQ(box(*run, 3, 3).inputMode(), ui::InputMode::Integer);
  EXPECT_EQ(box(*run, 4, 5).inputMode(), ui::InputMode::Decimal);
  EXPECT_EQ(box(*run, 10, 24, 2).inputMode(), ui::InputMode::Integer);
  EXPECT_TRUE(box(*run, 6, 12).multiLine());
  EXPECT_EQ(box(*run, 2, 8).bounds().width, 270);
  EXPECT_EQ(box(*run, 9, 23, 3).bounds().right(), panelWindow(*run).clientSize().width - 10);
  // A link box after a key field's "▼" button leaves the button's gap.
  EXPECT_EQ(box(*run, 8, 22, 2).bounds().left, box(*run, 8, 22).bounds().right() + 5 + 17);

  // Clicking into a hint empties the box in black; leaving it empty brings the hint back; a typed
  // value stays in black. Letters do not go into an integer box.
  ui::EditBox& number = box(*run, 3, 3);
  run->user.focus(number);
  EXPECT_EQ(number.text(), "");
  EXPECT_EQ(number.textColor(), 0u);
  run->user.focus(box(*run, 4, 5));
  EXPECT_EQ(number.text(), "输入整数..");
  EXPECT_EQ(number.textColor(), kGrey);
  run->user.type(number, "1x2");
  run->user.focus(box(*run, 4, 5));
  EXPECT_EQ(number.text(), "12");
  EXPECT_EQ(number.textColor(), 0u);
}

TEST_F(EntryPanelTest, AddingARecordStoresEveryKindAndShowsItInTheGridAndTheTree) {
  auto run = openPanel(kEveryKindForm);
  run->user.type(box(*run, 1, 10), "阿里云");
  fill(*run, box(*run, 2, 8), "2017-12-10");
  fill(*run, box(*run, 3, 3), "12");
  run->user.type(box(*run, 4, 5), "1.5");
  run->user.click(tagged(*run, "字段_内容_5_7_值1"));
  run->user.type(box(*run, 6, 12), "第一行\r\n第二行");
  run->user.type(box(*run, 7, 21), "明年春天");
  run->user.type(box(*run, 8, 22, 2), "https://www.example.com/a/b?c");  // no title: the host is its title
  run->user.type(box(*run, 9, 23), "user");
  run->user.type(box(*run, 9, 23, 2), "pass");
  run->user.type(box(*run, 9, 23, 3), "ftp.example.com");
  run->user.type(box(*run, 10, 24, 2), "12345");  // no title: the number is its title
  EXPECT_TRUE(run->user.click(button(*run, windows::kAddRecordButton)));
  EXPECT_TRUE(run->shownMessages().empty());

  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  ASSERT_EQ(recorddb::recordCount(), 1);
  ASSERT_TRUE(recorddb::gotoRecord(1));
  EXPECT_EQ(storedText(1), "阿里云");
  EXPECT_EQ(recorddb::readField(2).asReal(), base::dateTimeFromParts({2017, 12, 10, 0, 0, 0}));
  EXPECT_EQ(recorddb::readField(3).asInteger(), 12);
  EXPECT_EQ(recorddb::readField(4).asReal(), 1.5);
  EXPECT_TRUE(recorddb::readField(5).asLogical());
  EXPECT_EQ(storedText(6), "第一行\r\n第二行");
  EXPECT_EQ(storedText(7), "明年春天");
  EXPECT_EQ(storedText(8), "www.example.com||https://www.example.com/a/b?c");
  EXPECT_EQ(storedText(9), "user||pass||ftp.example.com");
  EXPECT_EQ(storedText(10), "12345||12345");

  // The grid shows the row, the tree files both key values, and the panel is empty again.
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  ASSERT_EQ(grid.rowCount(), 1);
  EXPECT_EQ(grid.cell(1, 1), "阿里云");
  EXPECT_EQ(grid.cell(1, 8), "www.example.com");
  const std::vector<base::TextValue> texts = run->texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "阿里云"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "www.example.com"), texts.end());
  EXPECT_EQ(box(*run, 3, 3).text(), "输入整数..");
  EXPECT_EQ(box(*run, 1, 10).text(), "");
  EXPECT_TRUE(box(*run, 1, 10).hasFocus());

  // Clicking the row fills the panel back: the composite pieces, the date as text, the number.
  clickRow(*run, 1);
  EXPECT_EQ(box(*run, 2, 8).text(), "2017年12月10日");
  EXPECT_EQ(box(*run, 4, 5).text(), "1.5");
  EXPECT_EQ(box(*run, 8, 22).text(), "www.example.com");
  EXPECT_EQ(box(*run, 8, 22, 2).text(), "https://www.example.com/a/b?c");
  EXPECT_EQ(box(*run, 9, 23, 3).text(), "ftp.example.com");
  EXPECT_EQ(box(*run, 10, 24).text(), "12345");
  EXPECT_TRUE(dynamic_cast<ui::CheckBox&>(tagged(*run, "字段_内容_5_7_值1")).checked());
}

TEST_F(EntryPanelTest, ARecordIsTypedWithTheKeyboardAlone) {
  auto run = openPanel("城市|10|20|0|真||开|7|0|0|假||网站|22|0|0|假||备注|12|0|0|假");
  // Tab goes through the boxes in the order they were made (past the "▼" button), then the buttons.
  std::vector<ui::Control*> order{&box(*run, 1, 10), &tagged(*run, "字段_内容_2_7_值1"), &box(*run, 3, 22),
                                  &box(*run, 3, 22, 2), &box(*run, 4, 12),
                                  &button(*run, windows::kAddRecordButton), &button(*run, windows::kModifyRecordButton),
                                  &button(*run, windows::kClearButton)};
  EXPECT_TRUE(order[0]->hasFocus());
  for (std::size_t i = 1; i <= order.size(); ++i) {
    ui::Control& from = *order[i - 1];
    run->user.pressKey(from, ui::Key::Tab);
    EXPECT_TRUE(order[i % order.size()]->hasFocus()) << i;
  }
  run->user.pressKey(*order[0], ui::Key::Tab, ui::kShift);
  EXPECT_TRUE(order.back()->hasFocus());

  run->user.pressKey(*order.back(), ui::Key::Tab);
  run->user.type(box(*run, 1, 10), "苏州");
  run->user.pressKey(box(*run, 1, 10), ui::Key::Tab);
  run->user.pressKey(*order[1], ui::Key::Tab);
  run->user.type(box(*run, 3, 22), "园林");
  // Ctrl+Enter in a multi-line box adds the record instead of a line break.
  run->user.type(box(*run, 4, 12), "一行");
  run->user.pressKey(box(*run, 4, 12), ui::Key::Enter, ui::kCtrl);
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  ASSERT_EQ(recorddb::recordCount(), 1);
  ASSERT_TRUE(recorddb::gotoRecord(1));
  EXPECT_EQ(storedText(1), "苏州");
  EXPECT_EQ(storedText(3), "园林||");
  EXPECT_EQ(storedText(4), "一行");
  EXPECT_TRUE(box(*run, 1, 10).hasFocus());  // the rebuilt panel starts again at the first box
}

TEST_F(EntryPanelTest, EmptyBoxesStoreEmptyValuesAndTheEmptyDateShowsAsNothing) {
  auto run = openPanel(kEveryKindForm);
  fill(*run, box(*run, 8, 22), "只有标题");
  run->user.click(button(*run, windows::kAddRecordButton));  // every other box shows its hint
  EXPECT_TRUE(run->shownMessages().empty());
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  ASSERT_EQ(recorddb::recordCount(), 1);
  ASSERT_TRUE(recorddb::gotoRecord(1));
  EXPECT_EQ(recorddb::readField(2).asReal(), base::kEmptyDateTime);
  EXPECT_EQ(recorddb::readField(3).asInteger(), 0);
  EXPECT_EQ(storedText(8), "只有标题||");

  // The grid shows the empty date as nothing; read back, its box and the empty address show hints.
  EXPECT_EQ(run->application.mainWindow()->grid().cell(1, 2), "");
  clickRow(*run, 1);
  EXPECT_EQ(box(*run, 2, 8).text(), "输入日期时间..");
  EXPECT_EQ(box(*run, 8, 22).text(), "只有标题");
  EXPECT_EQ(box(*run, 8, 22, 2).text(), "输入链接的网址..");
  EXPECT_EQ(box(*run, 8, 22, 2).textColor(), kGrey);
}

TEST_F(EntryPanelTest, ModifyWritesThePanelIntoTheSelectedRecordOnly) {
  auto run = openPanel("名称|10|20|0|真||备注|10|20|0|假||FTP|23|0|0|假");
  EXPECT_TRUE(run->user.click(button(*run, windows::kModifyRecordButton)));
  EXPECT_EQ(run->shownMessages(), (std::vector<base::TextValue>{"修改前先选中一个记录！"}));
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  EXPECT_EQ(recorddb::recordCount(), 0);

  for (const char* name : {"甲", "乙"}) {
    run->user.type(box(*run, 1, 10), name);
    run->user.type(box(*run, 2, 10), "旧");
    run->user.click(button(*run, windows::kAddRecordButton));
  }
  // A value of two pieces reads back with an empty server box.
  ASSERT_TRUE(recorddb::gotoRecord(2));
  ASSERT_TRUE(recorddb::writeField(3, recorddb::FieldValue::text("u||p")));
  clickRow(*run, 2);
  EXPECT_EQ(box(*run, 1, 10).text(), "乙");
  EXPECT_EQ(box(*run, 3, 23, 2).text(), "p");
  EXPECT_EQ(box(*run, 3, 23, 3).text(), "输入服务器地址..");
  run->user.typeOver(box(*run, 2, 10), "新");
  run->user.typeOver(box(*run, 3, 23, 3), "ftp.b.com");
  EXPECT_TRUE(run->user.click(button(*run, windows::kModifyRecordButton)));

  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  EXPECT_EQ(recorddb::recordCount(), 2);
  ASSERT_TRUE(recorddb::gotoRecord(2));
  EXPECT_EQ(storedText(1), "乙");
  EXPECT_EQ(storedText(2), "新");
  EXPECT_EQ(storedText(3), "u||p||ftp.b.com");
  ASSERT_TRUE(recorddb::gotoRecord(1));
  EXPECT_EQ(storedText(2), "旧");
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  EXPECT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(grid.cell(2, 2), "新");
  EXPECT_EQ(grid.cell(2, 3), "ftp.b.com(u)");
  // The panel keeps its values for the next row.
  EXPECT_EQ(box(*run, 2, 10).text(), "新");
}

// A memo of 10 MB, stored by another tool: the grid keeps the whole value in its row but draws a
// cut of it, the panel shows it whole, and modifying the record writes it back whole.
TEST_F(EntryPanelTest, ATenMegabyteMemoIsShownCutInTheGridAndWholeInThePanel) {
  auto run = openPanel("名称|10|20|0|真||备注|12|0|0|假");
  run->user.type(box(*run, 1, 10), "甲");
  run->user.click(button(*run, windows::kAddRecordButton));
  base::TextValue memo(10 * 1024 * 1024, 'x');
  for (std::size_t i = 0; i < memo.size(); i += 100) memo.replace(i, 6, "第一行");
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  ASSERT_TRUE(recorddb::gotoRecord(1));
  ASSERT_TRUE(recorddb::writeField(2, recorddb::FieldValue::text(memo)));

  auto& data = dynamic_cast<ui::headless::HeadlessDrawingPanel&>(run->window().get<ui::DrawingPanel>("画板数据"));
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  ASSERT_EQ(grid.rowCount(), 1);
  EXPECT_EQ(grid.cell(1, 2).size(), memo.size());
  if (panel(*run) == nullptr) EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
  ASSERT_NE(panel(*run), nullptr);
  data.recording().forget();
  grid.redraw();
  const std::vector<base::TextValue> drawn = data.recording().texts();
  ASSERT_FALSE(drawn.empty());
  for (const base::TextValue& text : drawn) EXPECT_LE(text.size(), 1002u);

  clickRow(*run, 1);
  EXPECT_TRUE(box(*run, 2, 12).text() == memo);
  EXPECT_TRUE(run->user.click(button(*run, windows::kModifyRecordButton)));
  EXPECT_TRUE(run->shownMessages().empty());
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  ASSERT_TRUE(recorddb::gotoRecord(1));
  EXPECT_TRUE(storedText(2) == memo);
  EXPECT_EQ(storedText(1), "甲");
}

// A list whose header names the largest record ID as the next one (the IDs have run out): adding
// says so, with the engine's text as the caption, and adds no record, no row and no value item.
TEST_F(EntryPanelTest, AListWhoseRecordIdsRanOutSaysSoAndAddsNothing) {
  {
    auto run = openPanel("名称|10|20|0|真");
    run->user.type(box(*run, 1, 10), "甲");
    EXPECT_TRUE(run->user.click(button(*run, windows::kAddRecordButton)));
  }
  {
    platform::File database;
    ASSERT_EQ(database.open(dataFile("客户.edb"), platform::FileAccess::ReadWrite, platform::ShareMode::DenyNone,
                            platform::OpenMode::OpenExisting),
              platform::kFileOk);
    const char largest[4] = {'\xFF', '\xFF', '\xFF', '\x7F'};
    ASSERT_EQ(database.writeAt(20, largest, 4), platform::kFileOk);
  }
  auto run = start();
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  ASSERT_EQ(grid.rowCount(), 1);
  const int items = run->tree().itemCount();
  EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
  ASSERT_NE(panel(*run), nullptr);
  run->user.type(box(*run, 1, 10), "乙");
  EXPECT_TRUE(run->user.click(button(*run, windows::kAddRecordButton)));
  ASSERT_EQ(run->toolkit.messageBoxes().size(), 1u);
  EXPECT_EQ(run->toolkit.messageBoxes()[0].request.text, "这个列表的记录编号已经用完，不能再录入新记录！");
  EXPECT_EQ(run->toolkit.messageBoxes()[0].request.caption, "记录编号已经用完，不能再追加记录");
  EXPECT_EQ(grid.rowCount(), 1);
  EXPECT_EQ(run->tree().itemCount(), items);
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  EXPECT_EQ(recorddb::recordCount(), 1);
  EXPECT_EQ(box(*run, 1, 10).text(), "乙");  // the panel keeps what was typed
}

TEST_F(EntryPanelTest, TheKeyButtonOffersTheValuesInUseAndFillsTheBoxes) {
  auto run = openPanel("网站|22|0|0|真||城市|10|20|0|真");
  const auto add = [&run](const char* title, const char* address, const char* city) {
    fill(*run, box(*run, 1, 22), title);
    fill(*run, box(*run, 1, 22, 2), address);
    fill(*run, box(*run, 2, 10), city);
    run->user.click(button(*run, windows::kAddRecordButton));
  };
  add("官网", "http://a.com/", "北京");
  add("空的", "", "上海");
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  ASSERT_TRUE(recorddb::gotoRecord(2));
  ASSERT_TRUE(recorddb::writeField(1, recorddb::FieldValue::text("")));  // its value item stays 空的

  run->toolkit.setCursorPosition({300, 200});
  run->toolkit.chooseInNextPopup("官网");
  EXPECT_TRUE(run->user.click(tagged(*run, "字段_内容_1_1")));
  ASSERT_EQ(run->toolkit.popupMenus().size(), 1u);
  const ui::headless::ShownPopupMenu& menu = run->toolkit.popupMenus()[0];
  EXPECT_EQ(menu.title, "动态菜单列表");
  EXPECT_EQ(menu.screen, (ui::Point{300, 200}));
  ASSERT_EQ(menu.items.size(), 2u);
  EXPECT_EQ(menu.items[0].caption, "官网");
  EXPECT_EQ(menu.items[1].caption, "空的");
  EXPECT_EQ(box(*run, 1, 22).text(), "官网");
  EXPECT_EQ(box(*run, 1, 22, 2).text(), "http://a.com/");

  // A record whose value is empty now: the caption becomes the title, the address stays empty.
  run->toolkit.chooseInNextPopup("空的");
  run->user.click(tagged(*run, "字段_内容_1_1"));
  EXPECT_EQ(box(*run, 1, 22).text(), "空的");
  EXPECT_EQ(box(*run, 1, 22, 2).text(), "");

  // The second key field's button lists its own values; a plain field takes the caption.
  run->toolkit.chooseInNextPopup("上海");
  run->user.click(tagged(*run, "字段_内容_2_2"));
  EXPECT_EQ(run->toolkit.popupMenus().back().items.size(), 2u);
  EXPECT_EQ(box(*run, 2, 10).text(), "上海");
}

TEST_F(EntryPanelTest, AnotherListRebuildsThePanelAndAFailedOpenClosesIt) {
  storeForms({{"客户", kLayoutForm}, {"订单", "编号|3|0|0|假"}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  run->selector().setCurrentIndex(1);
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
  EXPECT_EQ(generatedCount(*run), 7);  // three labels, two boxes, a button, a check box

  const std::vector<base::TextValue> texts = run->texts();
  const auto second = std::find(texts.begin(), texts.end(), "订单") - texts.begin();
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), static_cast<int>(second)));
  EXPECT_EQ(generatedCount(*run), 2);
  EXPECT_EQ(box(*run, 1, 3).text(), "");  // the first box has the focus
  EXPECT_EQ(panelWindow(*run).controls().size(), 8u + 2u);

  // The list's database is gone: the page cannot open, and the panel goes with it.
  recorddb::closeAllDatabases();
  ASSERT_EQ(platform::deleteFile(dataFile("客户.edb")), 0);
  run->user.clickTreeItem(run->tree(), 0);
  EXPECT_EQ(panel(*run), nullptr);
}

TEST_F(EntryPanelTest, ARecordAddedThroughThePanelIsThereAfterARestart) {
  {
    auto run = openPanel("城市|10|20|0|真||名称|10|20|0|假");
    run->user.type(box(*run, 1, 10), "杭州");
    run->user.type(box(*run, 2, 10), "西湖");
    run->user.click(button(*run, windows::kAddRecordButton));
    EXPECT_TRUE(run->user.closeWindow(run->window()));
  }
  auto next = start();
  const std::vector<base::TextValue> texts = next->texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "杭州"), texts.end());
  next->tree().setCurrentItem(-1);
  EXPECT_TRUE(next->user.clickTreeItem(next->tree(), 0));
  grid::RecordGrid& grid = next->application.mainWindow()->grid();
  ASSERT_EQ(grid.rowCount(), 1);
  EXPECT_EQ(grid.cell(1, 2), "西湖");
}

TEST_F(EntryPanelTest, APanelTallerThanTheScreenScrollsToEveryBox) {
  base::TextValue form;
  for (int i = 1; i <= 60; ++i) form += (i > 1 ? "||" : "") + ("字段" + base::formatInteger(i)) + "|10|10|0|假";
  auto run = openPanel(form.c_str());
  ui::Window& w = panelWindow(*run);
  const ui::Rect screen = run->toolkit.screenArea();
  EXPECT_EQ(w.bounds().bottom(), screen.bottom());
  ui::EditBox& last = box(*run, 60, 10);
  EXPECT_GT(last.bounds().top, w.clientSize().height);
  run->user.focus(last);
  EXPECT_GE(last.bounds().top, 0);
  EXPECT_LE(last.bounds().bottom(), w.clientSize().height);
  // The wheel turns down to the buttons and back to the first row.
  run->user.turnWheel(w, -50 * ui::kWheelNotch, {100, 100});
  EXPECT_EQ(button(*run, windows::kClearButton).bounds().bottom() + 50, w.bounds().height);
  run->user.turnWheel(w, 50 * ui::kWheelNotch, {100, 100});
  EXPECT_EQ(box(*run, 1, 10).bounds().top, 14);
}

}  // namespace
}  // namespace app
