// Lists and the tree of lists, through the running program on the headless toolkit: creating,
// renaming and deleting lists, filing key values, and the tree across restarts.

#include "lists/tree_file.h"
#include "platform/file.h"
#include "tests/app/program_fixture.h"

namespace app {
namespace {

using ListsTest = ProgramFixture;

TEST_F(ListsTest, ListsFromOneFormGetNumberedNamesFilesAndKeyFieldItems) {
  storeForms({{"客户", kKeyedForm}, {"a.b", "x|10|5|0|假"}});
  auto run = start();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  EXPECT_EQ(run->texts(), (std::vector<base::TextValue>{"客户", "城市", "区", "客户1", "城市", "区", "客户2", "城市", "区"}));
  for (const char* file : {"客户.edb", "客户1.edb", "客户2.edb"}) {
    EXPECT_TRUE(exists(file)) << file;
  }
  const std::vector<ui::TreeItemInfo> items = run->tree().snapshot();
  EXPECT_EQ(items[6].item, (ui::TreeItem{"客户2", 0, 0, 0, false, true}));
  EXPECT_EQ(items[7].item, (ui::TreeItem{"城市", 1, 1, 1, false, false}));
  EXPECT_EQ(items[8].item, (ui::TreeItem{"区", 1, 1, 3, false, false}));
  EXPECT_EQ(items[8].level, 2);
  EXPECT_EQ(run->tree().currentItem(), 6);  // the new list is selected, which opens it
  EXPECT_EQ(run->state.currentListForm.name, "客户2");
  EXPECT_EQ(run->state.listSelection.openListItem, 6);
  EXPECT_EQ(run->state.settings.readText("客户1"), "城市|10|20|0|真|0||名称|10|20|0|假|0||区|10|20|0|真|0");
  EXPECT_TRUE(run->window().get<ui::Toolbar>("工具条").isButtonEnabled(windows::kDeleteList));

  EXPECT_TRUE(run->user.pick(run->selector(), 1));  // a.b keeps its dot; a form without key fields
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  EXPECT_TRUE(exists("a.b.edb"));
  EXPECT_EQ(run->texts().back(), "a.b");
  EXPECT_EQ(run->tree().currentItem(), 9);
  EXPECT_TRUE(run->shownMessages().empty());
}

TEST_F(ListsTest, NewListAsksForAFormFirst) {
  storeForms({{"客户", kKeyedForm}}, 5);  // the selector starts on its designer item
  auto run = start();
  EXPECT_EQ(run->selector().currentIndex(), 1);
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  EXPECT_EQ(run->shownMessages(), (std::vector<base::TextValue>{"请先选择一个表单，才能根据此表单新建一个列表！"}));
  EXPECT_EQ(run->selector().currentIndex(), 0);
  EXPECT_EQ(run->tree().itemCount(), 0);
}

TEST_F(ListsTest, WithoutFormsNewListOpensTheDesigner) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  run->state.formLibrary.forms().clear();
  run->application.mainWindow()->refillFormSelector(0, true);
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  EXPECT_EQ(run->shownMessages(), (std::vector<base::TextValue>{"请先新建一个表单，才能根据此表单新建一个列表！"}));
  EXPECT_NE(run->application.mainWindow()->formDesigner(), nullptr);
}

TEST_F(ListsTest, AFormTheDatabaseRefusesCreatesNothingAndTheMessageNamesTheField) {
  storeForms({{"重复", "a|10|5|0|假||A|10|5|0|假"},
              {"长名", "平台|10|5|0|假||服务器所在机房位置说明|10|5|0|假"},
              {"字符", "a b|10|5|0|假"},
              {"无名", "a|10|5|0|假|||10|5|0|假||c|10|5|0|假"},
              {"", "a|10|5|0|假"},
              {"../逃出", "a|10|5|0|假"}});
  auto run = start();
  for (int form = 0; form < 6; ++form) {
    EXPECT_TRUE(run->user.pick(run->selector(), form));
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  }
  const std::vector<base::TextValue> generic(
      2, "新建列表失败，请检查当前选择的表单是否存在错误，比如没有字段，或字段名重复，或字段名存在非法字符！");
  EXPECT_EQ(run->shownMessages(),
            (std::vector<base::TextValue>{
                "新建列表失败，第 2 个字段“A”和第 1 个字段重名（字母不分大小写）！",
                "新建列表失败，第 2 个字段“服务器所在机房位置说明”的名字太长：字段名最多 16 个字节（8 个汉字），它有 22 "
                "个字节！",
                "新建列表失败，第 1 个字段“a b”的名字里有不能用的字符：字段名只能由汉字、字母、数字和下划线组成，而且不能以"
                "数字开头！",
                "新建列表失败，第 2 个字段没有名字！", generic[0], generic[1]}));
  EXPECT_EQ(run->tree().itemCount(), 0);
  EXPECT_FALSE(platform::pathExists(dir.file("逃出.edb")));
}

// A form of 10,000 fields (more than a database holds) makes no list: the message says why, and
// no database file, form copy or tree item is left behind.
TEST_F(ListsTest, AFormWithMoreFieldsThanAListHoldsIsRefusedWithItsCount) {
  forms::FormDefinition huge{"大表", {}};
  for (int i = 0; i < 10000; ++i) huge.fields.push_back({"f" + std::to_string(i), 10, 8, 0, i < 2, 0});
  const base::TextValue text = forms::formatFieldSpecText(huge.fields, forms::kLibraryAttributes);
  storeForms({{"大表", text.c_str()}});
  auto run = start();
  ASSERT_EQ(run->state.formLibrary.forms().at(0).fields.size(), 10000u);
  EXPECT_TRUE(run->user.pick(run->selector(), 0));
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  EXPECT_EQ(run->shownMessages(),
            (std::vector<base::TextValue>{"新建列表失败，表单的字段太多（10000 个），一个列表最多只能有 4096 个字段！"}));
  EXPECT_EQ(run->tree().itemCount(), 0);
  EXPECT_FALSE(exists("大表.edb"));
  EXPECT_FALSE(exists("大表.edt"));
  run->state.settings.selectSection("使用表单库");
  EXPECT_EQ(run->state.settings.readText("大表", "none"), "none");
}

TEST_F(ListsTest, KeyValuesAreFiledOnceWithTheFirstRecordsId) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  appendRecords("客户", {{"北京", "甲"}, {"上海", "乙"}, {"北京", "丙"}, {"", "丁"}});
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  EXPECT_EQ(run->texts(), (std::vector<base::TextValue>{"客户", "城市", "北京", "上海", "", "区", "", "客户1", "城市", "区"}));
  const std::vector<ui::TreeItemInfo> items = run->tree().snapshot();
  EXPECT_EQ(items[2].item, (ui::TreeItem{"北京", 2, 2, 1, false, false}));
  EXPECT_EQ(items[4].item.data, 4);
  EXPECT_EQ(items[6].item.data, 1);  // field 3 is empty in every record
  EXPECT_TRUE(items[1].item.expanded);
  EXPECT_EQ(items[4].level, 3);

  // A value of the open list filters without gathering the values again.
  {
    auto& selection = run->state.listSelection;
    selection.valueSets[0].insert("不会被清掉");
    EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 4));
    EXPECT_EQ(selection.filterValue, "");
    EXPECT_EQ(selection.keyFieldNumber, 1);
    EXPECT_EQ(selection.keyFieldName, "城市");
    EXPECT_EQ(selection.listName, "客户");
    EXPECT_TRUE(selection.valueSets[0].contains("不会被清掉"));
    EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 3));
    EXPECT_EQ(selection.filterValue, "上海");
    EXPECT_EQ(selection.keyFieldItem, 1);
    EXPECT_FALSE(run->window().get<ui::Toolbar>("工具条").isButtonEnabled(windows::kDeleteList));

    // Another list gathers its own.
    EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 7));
    EXPECT_EQ(selection.keyFieldItems, (std::vector<int>{8, 9}));
    EXPECT_TRUE(selection.valueSets[0].empty());
    EXPECT_EQ(selection.listName, "客户1");
  }
}

TEST_F(ListsTest, ValuesOfEveryKeyFieldLandUnderTheirOwnItem) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  for (const auto& [city, district] : std::vector<std::pair<const char*, const char*>>{
           {"北京", "东城"}, {"上海", "浦东"}, {"北京", "西城"}, {"广州", "东城"}}) {
    ASSERT_TRUE(recorddb::appendRecord());
    ASSERT_TRUE(recorddb::writeField(1, recorddb::FieldValue::text(city)));
    ASSERT_TRUE(recorddb::writeField(3, recorddb::FieldValue::text(district)));
  }
  run->state.listSelection.openListItem = lists::kNoListOpenYet;
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  EXPECT_EQ(run->texts(), (std::vector<base::TextValue>{"客户", "城市", "北京", "上海", "广州", "区", "东城", "浦东", "西城"}));
  EXPECT_EQ(run->state.listSelection.keyFieldItems, (std::vector<int>{1, 5}));
}

TEST_F(ListsTest, ALabelEditRenamesTheListsFilesAndFormCopy) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  appendRecords("客户1", {{"北京", "甲"}});
  ui::TreeView& tree = run->tree();

  EXPECT_EQ(run->user.editTreeLabel(tree, 3, "客户"), ui::headless::LabelEditResult::Rejected);  // taken
  EXPECT_EQ(tree.item(3).text, "客户1");
  EXPECT_EQ(run->user.editTreeLabel(tree, 3, "a/b"), ui::headless::LabelEditResult::Rejected);
  EXPECT_EQ(run->user.editTreeLabel(tree, 4, "城"), ui::headless::LabelEditResult::Refused);  // a key field

  EXPECT_EQ(run->user.editTreeLabel(tree, 3, "老客户"), ui::headless::LabelEditResult::Accepted);
  EXPECT_TRUE(exists("老客户.edb"));
  EXPECT_FALSE(exists("客户1.edb"));
  EXPECT_EQ(run->state.currentListForm.name, "老客户");
  run->state.settings.selectSection("使用表单库");
  EXPECT_EQ(run->state.settings.readText("老客户"), "城市|10|20|0|真|0||名称|10|20|0|假|0||区|10|20|0|真|0");
  EXPECT_EQ(run->state.settings.readText("客户1"), "");
  EXPECT_TRUE(recorddb::setCurrentDatabase("老客户"));  // open again under the new name
  EXPECT_EQ(recorddb::recordCount(), 1);
}

// A stale auxiliary file under the new name stops the second move: the database file moves back.
TEST_F(ListsTest, ARenameWhoseAuxiliaryFileCannotMoveKeepsTheOldNameAndSaysSo) {
  constexpr char kMemoForm[] = "城市|10|20|0|真||备注|12|0|0|假";
  storeForms({{"客户", kMemoForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  ASSERT_TRUE(exists("客户.edt"));
  ASSERT_EQ(platform::writeWholeFile(dataFile("老客户.edt"), "stale"), platform::kFileOk);
  std::string database;
  std::string auxiliary;
  ASSERT_EQ(platform::readWholeFile(dataFile("客户.edb"), database), platform::kFileOk);
  ASSERT_EQ(platform::readWholeFile(dataFile("客户.edt"), auxiliary), platform::kFileOk);
  ui::TreeView& tree = run->tree();

  EXPECT_EQ(run->user.editTreeLabel(tree, 0, "老客户"), ui::headless::LabelEditResult::Rejected);
  EXPECT_EQ(tree.item(0).text, "客户");
  EXPECT_FALSE(exists("老客户.edb"));
  std::string bytes;
  ASSERT_EQ(platform::readWholeFile(dataFile("客户.edb"), bytes), platform::kFileOk);
  EXPECT_EQ(bytes, database);
  ASSERT_EQ(platform::readWholeFile(dataFile("客户.edt"), bytes), platform::kFileOk);
  EXPECT_EQ(bytes, auxiliary);
  ASSERT_EQ(platform::readWholeFile(dataFile("老客户.edt"), bytes), platform::kFileOk);
  EXPECT_EQ(bytes, "stale");
  EXPECT_EQ(run->state.currentListForm.name, "客户");
  run->state.settings.selectSection("使用表单库");
  EXPECT_EQ(run->state.settings.readText("客户"), "城市|10|20|0|真|0||备注|12|0|0|假|0");
  EXPECT_EQ(run->state.settings.readText("老客户"), "");

  ASSERT_EQ(run->toolkit.messageBoxes().size(), 1u);
  const ui::MessageBoxRequest& shown = run->toolkit.messageBoxes()[0].request;
  EXPECT_EQ(shown.text, "重命名列表失败，请检查列表文件是否被占用！");
  EXPECT_EQ(shown.caption, "信息：");
  EXPECT_EQ(shown.icon, ui::MessageIcon::Warning);

  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(tree, 0));  // the list opens again under its old name
  EXPECT_TRUE(recorddb::setCurrentDatabase("客户"));
}

TEST_F(ListsTest, DeletingAListAsksTwiceAndSelectsTheItemInItsPlace) {
  storeForms({{"客户", kKeyedForm}, {"单", "x|10|5|0|假"}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  EXPECT_TRUE(run->user.pick(run->selector(), 1));
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));  // 客户 (0), 单 (3), 单1 (4)
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 3));

  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Cancel);
  EXPECT_TRUE(run->clickToolbar(windows::kDeleteList));
  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Ok);
  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Cancel);
  EXPECT_TRUE(run->clickToolbar(windows::kDeleteList));
  EXPECT_EQ(run->tree().itemCount(), 5);
  EXPECT_EQ(run->shownMessages(), (std::vector<base::TextValue>{"确定要删除【单】列表吗？", "确定要删除【单】列表吗？",
                                                                 "请再次确认，真的要删除【单】列表吗？"}));

  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Ok);
  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Ok);
  EXPECT_TRUE(run->clickToolbar(windows::kDeleteList));
  EXPECT_FALSE(exists("单.edb"));
  EXPECT_EQ(run->texts(), (std::vector<base::TextValue>{"客户", "城市", "区", "单1"}));
  EXPECT_EQ(run->tree().currentItem(), 3);  // the list that took its place
  EXPECT_EQ(run->state.currentListForm.name, "单1");
  EXPECT_EQ(run->state.listSelection.openListItem, 3);

  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Ok);
  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Ok);
  EXPECT_TRUE(run->clickToolbar(windows::kDeleteList));  // the last item: the new last item is selected
  EXPECT_EQ(run->tree().currentItem(), 2);               // a key field of 客户, which opens 客户
  EXPECT_EQ(run->state.currentListForm.name, "客户");
  EXPECT_FALSE(run->clickToolbar(windows::kDeleteList));  // only a list item can be deleted
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Ok);
  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Ok);
  EXPECT_TRUE(run->clickToolbar(windows::kDeleteList));  // the only one: the page is empty
  EXPECT_EQ(run->tree().currentItem(), -1);
  EXPECT_EQ(run->tree().itemCount(), 0);
  EXPECT_EQ(run->state.currentListForm.name, "");
  EXPECT_FALSE(run->window().get<ui::Toolbar>("工具条").isButtonEnabled(windows::kDeleteList));
  run->state.settings.selectSection("使用表单库");
  EXPECT_NE(run->state.settings.readText("单"), "");  // a list's form copy stays behind
}

TEST_F(ListsTest, TheTreeAndItsSelectionSurviveARestart) {
  storeForms({{"客户", kKeyedForm}});
  std::vector<ui::TreeItemInfo> before;
  {
    auto run = start();
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
    appendRecords("客户", {{"北京", "甲"}, {"上海", "乙"}});
    EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
    EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 3));  // 上海
    ui::TreeItem list = run->tree().item(0);
    list.expanded = false;  // the remembered item is out of sight
    run->tree().setItem(0, list);
    before = run->tree().snapshot();
    EXPECT_TRUE(run->user.closeWindow(run->window()));
  }
  auto next = start();
  before[0].item.expanded = true;  // brought into view again
  EXPECT_EQ(next->tree().snapshot(), before);
  EXPECT_EQ(next->tree().currentItem(), 3);
  EXPECT_EQ(next->state.listSelection.filterValue, "上海");
  EXPECT_EQ(next->state.currentListForm.name, "客户");
  EXPECT_TRUE(recorddb::setCurrentDatabase("客户"));
  EXPECT_EQ(recorddb::recordCount(), 2);
}

TEST_F(ListsTest, ARememberedIndexBeyondTheTreeOpensNoList) {
  storeForms({{"客户", kKeyedForm}});
  {
    auto run = start();
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
    EXPECT_TRUE(run->user.closeWindow(run->window()));
  }
  {
    settings::SettingsStore store;
    ASSERT_TRUE(store.open(dir.file("砚川·格簿录入台.ini")));
    store.selectSection("主界面");
    store.writeNumber("树型框.索引", 17);
  }
  auto next = start();
  EXPECT_EQ(next->tree().itemCount(), 3);
  EXPECT_EQ(next->tree().currentItem(), -1);
  EXPECT_EQ(next->state.currentListForm.name, "");
  EXPECT_FALSE(recorddb::setCurrentDatabase("客户"));
}

TEST_F(ListsTest, AListNamedAgainstTheAliasRuleStillOpens) {
  storeForms({{"2024数据", kKeyedForm}, {"有 空格", kKeyedForm}});
  auto run = start();
  for (int form = 0; form < 2; ++form) {
    EXPECT_TRUE(run->user.pick(run->selector(), form));
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  }
  appendRecords("2024数据", {{"北京", "甲"}});
  run->tree().setCurrentItem(3);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  EXPECT_TRUE(run->shownMessages().empty());
  EXPECT_EQ(run->texts()[2], "北京");
  EXPECT_EQ(run->user.editTreeLabel(run->tree(), 0, "2025数据"), ui::headless::LabelEditResult::Accepted);
  EXPECT_TRUE(recorddb::setCurrentDatabase("2025数据"));
  EXPECT_EQ(recorddb::recordCount(), 1);
}

TEST_F(ListsTest, AMissingDatabaseGivesTheOpenFailureWithTheEnginesText) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  recorddb::closeAllDatabases();
  ASSERT_EQ(platform::deleteFile(dataFile("客户.edb")), 0);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  ASSERT_EQ(run->toolkit.messageBoxes().size(), 1u);
  EXPECT_EQ(run->toolkit.messageBoxes()[0].request.text, "打开列表页失败，请重开软件再试，还是不行请删除然后新建。");
  EXPECT_NE(run->toolkit.messageBoxes()[0].request.caption, "信息：");
  EXPECT_FALSE(run->toolkit.messageBoxes()[0].request.caption.empty());
}

TEST_F(ListsTest, RemovedRecordsTakeTheirValuesAlongAndTheSelectionStays) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  appendRecords("客户", {{"北京", "甲"}, {"上海", "乙"}, {"广州", "丙"}});
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 3));  // 上海
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  ASSERT_TRUE(recorddb::gotoRecord(1) && recorddb::deleteRecord() && recorddb::packDatabase());

  run->application.mainWindow()->lists().rebuildValueItems();
  EXPECT_EQ(run->texts(), (std::vector<base::TextValue>{"客户", "城市", "上海", "广州", "区", ""}));
  EXPECT_EQ(run->tree().currentItem(), 3);  // now 广州: another text, so its page reloads
  EXPECT_EQ(run->state.listSelection.filterValue, "广州");
  EXPECT_EQ(run->state.listSelection.keyFieldItems, (std::vector<int>{1, 4}));
  EXPECT_FALSE(run->state.listSelection.skipNextSelection);

  run->application.mainWindow()->lists().rebuildValueItems();  // same texts: nothing reloads
  EXPECT_EQ(run->tree().currentItem(), 3);
  EXPECT_FALSE(run->state.listSelection.skipNextSelection);
  std::string saved;
  ASSERT_EQ(platform::readWholeFile(dataFile("树型框数据.AI"), saved), platform::kFileOk);
  EXPECT_EQ(lists::decodeTreeFile(saved).records.size(), 6u);
}

}  // namespace
}  // namespace app
