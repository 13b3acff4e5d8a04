// The form designer, driven through its controls on the headless toolkit.

#include "windows/form_designer.h"

#include "tests/windows/designer_fixture.h"

namespace windows {
namespace {

using FormDesignerTest = DesignerFixture;

constexpr char kFourFields[] = "甲|10|20|0|真||乙|3|4|0|假||丙|8|4|0|假||丁|10|30|0|假";

TEST_F(FormDesignerTest, AnEmptyLibraryDisablesTheFormAndFieldEditors) {
  start({});
  openDesigner();
  EXPECT_EQ(formList().itemCount(), 0);
  EXPECT_EQ(fieldList().itemCount(), 0);
  EXPECT_FALSE(formName().enabled());
  EXPECT_FALSE(designer().control("按钮删除表单")->enabled());
  for (const char* editor : {"编辑框字段名称", "组合框字段类型", "编辑框字段长度", "按钮删除字段"}) {
    EXPECT_FALSE(designer().control(editor)->enabled()) << editor;
  }
}

TEST_F(FormDesignerTest, OpeningShowsTheStoredFormAndItsFirstField) {
  start({{"一", "a|10|5|0|假"}, {"二", kFourFields}}, 1);
  openDesigner();
  EXPECT_EQ(designer().title(), "表单设计器 - 按住Ctrl新建表单可以复制当前表单");
  EXPECT_EQ(designer().owner(), &mainWindow->window());
  EXPECT_EQ(formList().items(), (std::vector<base::TextValue>{"一", "二"}));
  EXPECT_EQ(formList().currentIndex(), 1);
  EXPECT_EQ(formName().text(), "二");
  EXPECT_EQ(fieldList().items(), (std::vector<base::TextValue>{"甲", "乙", "丙", "丁"}));
  EXPECT_EQ(fieldName().text(), "甲");
  EXPECT_EQ(kindList().currentIndex(), 0);
  EXPECT_EQ(lengthBox().text(), "20");
  EXPECT_TRUE(keyBox().checked());
  EXPECT_TRUE(lengthBox().enabled());
  EXPECT_TRUE(formName().hasFocus());
  EXPECT_EQ(selector().currentIndex(), 1);  // opening wrote the form back and refilled the selector

  EXPECT_TRUE(user.pick(fieldList(), 1));  // 整数型: no length to edit
  EXPECT_EQ(kindList().item(kindList().currentIndex()), "整数型");
  EXPECT_FALSE(lengthBox().enabled());
  EXPECT_FALSE(keyBox().checked());
}

TEST_F(FormDesignerTest, EscapeClosesTheDesignerWithWhatWasEditedKept) {
  start({{"二", kFourFields}});
  openDesigner();
  EXPECT_TRUE(user.typeOver(fieldName(), "戊"));
  EXPECT_TRUE(user.pressKey(fieldName(), ui::Key::Escape, ui::kCtrl));  // no close with Ctrl held
  EXPECT_NE(mainWindow->formDesigner(), nullptr);
  EXPECT_TRUE(user.pressKey(kindList(), ui::Key::Escape));
  EXPECT_EQ(mainWindow->formDesigner(), nullptr);
  EXPECT_TRUE(mainWindow->window().visible());
  EXPECT_EQ(storedLibrary().forms()[0].fields[0].name, "戊");
  // It opens again as before.
  openDesigner();
  EXPECT_EQ(fieldName().text(), "戊");
}

TEST_F(FormDesignerTest, CtrlNewCopiesTheCurrentFormAndPlainNewAddsAnEmptyOne) {
  start({{"一", "a|10|5|0|假"}, {"二", kFourFields}}, 1);
  openDesigner();
  toolkit.setKeyState(ui::kCtrl);
  EXPECT_TRUE(press("按钮添加表单"));
  toolkit.setKeyState(ui::kNoKeys);
  ASSERT_EQ(library.forms().size(), 3u);
  EXPECT_EQ(library.forms()[2], library.forms()[1]);
  EXPECT_EQ(formList().currentIndex(), 2);
  EXPECT_EQ(formList().item(2), "二");
  EXPECT_EQ(storedLibrary().forms(), library.forms());
  EXPECT_EQ(storedIndex(), 2);
  EXPECT_EQ(selector().items().size(), 4u);

  EXPECT_TRUE(press("按钮添加表单"));
  ASSERT_EQ(library.forms().size(), 4u);
  EXPECT_EQ(library.forms()[3], forms::FormDefinition{});
  EXPECT_EQ(formList().currentIndex(), 3);
  EXPECT_EQ(fieldList().itemCount(), 0);
  EXPECT_EQ(storedLibrary().forms().size(), 4u);
  EXPECT_EQ(selector().currentIndex(), 3);
  EXPECT_EQ(selector().item(4), "打开表单设计器..");
}

// While the new-form button asks whether Ctrl is held, waiting events run: a button pressed then is
// refused, and an edit made then waits until the new form is in place (whose name the box shows by
// then), so the form being copied is not renamed half-way.
TEST_F(FormDesignerTest, EventsWhileTheKeyStateIsAskedCannotNestInTheNewForm) {
  start({{"一", "a|10|5|0|假"}, {"二", kFourFields}}, 1);
  openDesigner();
  toolkit.setKeyState(ui::kCtrl);
  toolkit.post([&] { EXPECT_TRUE(press("按钮删除表单")); });
  toolkit.post([&] { EXPECT_TRUE(user.typeOver(formName(), "副本")); });
  EXPECT_TRUE(press("按钮添加表单"));
  toolkit.setKeyState(ui::kNoKeys);
  ASSERT_EQ(library.forms().size(), 3u);  // copied, nothing deleted
  EXPECT_EQ(library.forms()[1].name, "二");
  EXPECT_EQ(library.forms()[2], library.forms()[1]);
  EXPECT_EQ(formList().currentIndex(), 2);
  EXPECT_EQ(storedLibrary().forms(), library.forms());
}

TEST_F(FormDesignerTest, RenamingAFormReachesTheListTheSelectorAndTheFile) {
  start({{"一", "a|10|5|0|假"}});
  openDesigner();
  EXPECT_TRUE(user.erase(formName()));
  EXPECT_TRUE(user.type(formName(), "客户"));
  EXPECT_EQ(formList().item(0), "客户");
  EXPECT_EQ(selector().item(0), "客户");
  EXPECT_EQ(selector().currentIndex(), 0);
  EXPECT_EQ(storedLibrary().forms()[0].name, "客户");
}

TEST_F(FormDesignerTest, DeletingFormsMovesTheSelectionToTheNewLastForm) {
  start({{"一", "a|10|5|0|假"}, {"二", "b|10|5|0|假"}, {"三", "c|10|5|0|假"}}, 2);
  openDesigner();
  EXPECT_TRUE(press("按钮删除表单"));
  EXPECT_EQ(formList().currentIndex(), 1);
  EXPECT_EQ(formName().text(), "二");
  EXPECT_EQ(fieldName().text(), "b");
  EXPECT_EQ(storedLibrary().forms().size(), 2u);
  EXPECT_EQ(selector().currentIndex(), 1);

  EXPECT_TRUE(user.pick(formList(), 0));
  EXPECT_TRUE(press("按钮删除表单"));
  EXPECT_EQ(formList().currentIndex(), 0);
  EXPECT_EQ(formName().text(), "二");
  EXPECT_TRUE(press("按钮删除表单"));
  EXPECT_EQ(formList().currentIndex(), -1);
  EXPECT_EQ(fieldList().itemCount(), 0);
  EXPECT_FALSE(fieldName().enabled());
  EXPECT_FALSE(formName().enabled());
  EXPECT_TRUE(storedLibrary().forms().empty());
  EXPECT_EQ(storedIndex(), -1);
  EXPECT_EQ(selector().items(), (std::vector<base::TextValue>{"打开表单设计器.."}));
  EXPECT_EQ(selector().currentIndex(), -1);
  EXPECT_FALSE(press("按钮删除表单"));  // disabled now
}

TEST_F(FormDesignerTest, ANewFieldTakesTheKindAndLengthTheEditorsShow) {
  start({{"一", kFourFields}});
  openDesigner();
  EXPECT_TRUE(user.pick(fieldList(), 1));  // 乙, 整数型
  EXPECT_TRUE(press("按钮添加字段"));
  ASSERT_EQ(library.forms()[0].fields.size(), 5u);
  const forms::FieldDefinition& added = library.forms()[0].fields[4];
  EXPECT_EQ(added.name, "");
  EXPECT_EQ(added.kind, 3);
  EXPECT_EQ(added.length, 4);
  EXPECT_FALSE(added.key);
  EXPECT_EQ(fieldList().currentIndex(), 4);
  EXPECT_TRUE(fieldName().hasFocus());

  EXPECT_TRUE(user.type(fieldName(), "戊"));
  EXPECT_TRUE(user.pressEnter(fieldName()));  // Enter adds the next field
  EXPECT_EQ(fieldList().items(), (std::vector<base::TextValue>{"甲", "乙", "丙", "丁", "戊", ""}));
  EXPECT_EQ(fieldList().currentIndex(), 5);
  EXPECT_EQ(storedLibrary().forms()[0].fields.size(), 6u);
  EXPECT_EQ(storedLibrary().forms()[0].fields[4].name, "戊");
}

TEST_F(FormDesignerTest, TheLengthIsKeptBetweenOneAnd512) {
  start({{"一", kFourFields}});
  openDesigner();
  ui::EditBox& length = lengthBox();
  EXPECT_TRUE(user.erase(length));  // an empty box reads 0 and becomes 50
  EXPECT_EQ(length.text(), "50");
  EXPECT_TRUE(toolkit.messageBoxes().empty());
  EXPECT_TRUE(user.typeOver(length, "600"));
  EXPECT_EQ(length.text(), "512");
  ASSERT_EQ(toolkit.messageBoxes().size(), 1u);
  EXPECT_EQ(toolkit.messageBoxes()[0].request.text, "文本型最大长度512，如需要更长请选择超长文本型");
  EXPECT_EQ(toolkit.messageBoxes()[0].request.icon, ui::MessageIcon::Warning);
  EXPECT_EQ(library.forms()[0].fields[0].length, 512);
  EXPECT_EQ(storedLibrary().forms()[0].fields[0].length, 512);
}

TEST_F(FormDesignerTest, AStoredLengthBeyondTheLimitIsShownCorrectedButNotWrittenBack) {
  start({{"一", "a|10|900|0|假||b|10|0|0|假"}});
  openDesigner();
  EXPECT_EQ(lengthBox().text(), "512");
  EXPECT_EQ(toolkit.messageBoxes().size(), 1u);
  EXPECT_EQ(library.forms()[0].fields[0].length, 900);
  EXPECT_TRUE(user.pick(fieldList(), 1));
  EXPECT_EQ(lengthBox().text(), "50");
  EXPECT_EQ(library.forms()[0].fields[1].length, 0);
}

TEST_F(FormDesignerTest, APingFieldLinksToAFieldPickedFromTheOtherFields) {
  start({{"一", "a|10|5|0|假||b|10|5|0|假||p|25|30|1|假||c|10|5|0|假"}});
  openDesigner();
  EXPECT_FALSE(linkList().visible());
  EXPECT_TRUE(lengthBox().visible());
  EXPECT_TRUE(user.pick(fieldList(), 3));  // c becomes a PING field
  EXPECT_TRUE(user.pick(kindList(), 10));
  EXPECT_TRUE(linkList().visible());
  EXPECT_TRUE(designer().control("标签4")->visible());
  // The selector takes the length box's place: the box and its label are not seen around it.
  EXPECT_FALSE(lengthBox().visible());
  EXPECT_FALSE(designer().control("标签3")->visible());
  EXPECT_FALSE(lengthBox().enabled());
  EXPECT_EQ(linkList().items(), (std::vector<base::TextValue>{"a", "b", "c"}));
  EXPECT_EQ(linkList().currentIndex(), -1);
  EXPECT_EQ(library.forms()[0].fields[3].link, -1);
  EXPECT_TRUE(user.pick(linkList(), 1));
  EXPECT_EQ(library.forms()[0].fields[3].link, 2);

  EXPECT_TRUE(user.pick(fieldList(), 2));  // p links to a, the first choice
  EXPECT_EQ(linkList().items(), (std::vector<base::TextValue>{"a", "b"}));
  EXPECT_EQ(linkList().currentIndex(), 0);
  EXPECT_TRUE(user.pick(linkList(), 1));
  EXPECT_EQ(storedLibrary().forms()[0].fields[2].link, 2);

  EXPECT_TRUE(user.pick(fieldList(), 0));  // back to a text field: the choices hide
  EXPECT_FALSE(linkList().visible());
  EXPECT_FALSE(designer().control("标签4")->visible());
  EXPECT_TRUE(lengthBox().enabled());
}

TEST_F(FormDesignerTest, PickingTheThirdFieldStoresLinkThree) {
  start({{"一", "a|10|5|0|假||b|10|5|0|假||c|10|5|0|假||p|10|5|0|假"}});
  openDesigner();
  EXPECT_TRUE(user.pick(fieldList(), 3));
  EXPECT_TRUE(user.pick(kindList(), 10));
  EXPECT_TRUE(user.pick(linkList(), 2));
  EXPECT_EQ(storedLibrary().forms()[0].fields[3].link, 3);
}

TEST_F(FormDesignerTest, LinksFollowTheirFieldWhenFieldsMoveOrGo) {
  // p (PING) links to c; q (PING) links to a.
  start({{"一", "a|10|5|0|假||b|10|5|0|假||c|10|5|0|假||p|25|30|3|假||q|25|30|1|假"}});
  openDesigner();
  auto links = [this] {
    const forms::FormLibrary stored = storedLibrary();
    std::vector<std::int32_t> numbers;
    for (const forms::FieldDefinition& field : stored.forms()[0].fields) numbers.push_back(field.link);
    return numbers;
  };

  EXPECT_TRUE(user.pick(fieldList(), 2));
  EXPECT_TRUE(press("按钮上移字段"));  // c moves above b
  EXPECT_EQ(fieldList().items(), (std::vector<base::TextValue>{"a", "c", "b", "p", "q"}));
  EXPECT_EQ(links(), (std::vector<std::int32_t>{0, 0, 0, 2, 1}));
  EXPECT_TRUE(press("按钮下移字段"));
  EXPECT_TRUE(press("按钮下移字段"));  // c moves below p
  EXPECT_EQ(fieldList().items(), (std::vector<base::TextValue>{"a", "b", "p", "c", "q"}));
  EXPECT_EQ(links(), (std::vector<std::int32_t>{0, 0, 4, 0, 1}));

  EXPECT_TRUE(user.pick(fieldList(), 1));
  EXPECT_TRUE(press("按钮删除字段"));  // b goes: the fields after it move up
  EXPECT_EQ(links(), (std::vector<std::int32_t>{0, 3, 0, 1}));
  EXPECT_TRUE(user.pick(fieldList(), 0));
  EXPECT_TRUE(press("按钮删除字段"));  // a goes: q's link has nothing left to name
  EXPECT_EQ(links(), (std::vector<std::int32_t>{2, 0, -1}));

  // The choices of the selected PING field name fields by their new numbers.
  EXPECT_TRUE(user.pick(fieldList(), 0));
  EXPECT_EQ(linkList().items(), (std::vector<base::TextValue>{"c"}));
  EXPECT_EQ(linkList().currentIndex(), 0);
  EXPECT_TRUE(press("按钮下移字段"));
  EXPECT_EQ(links(), (std::vector<std::int32_t>{0, 1, -1}));
  EXPECT_TRUE(user.pick(linkList(), 0));
  EXPECT_EQ(links(), (std::vector<std::int32_t>{0, 1, -1}));
}

TEST_F(FormDesignerTest, MovingAtTheEndsDoesNothing) {
  start({{"一", "a|10|5|0|假||b|10|5|0|假"}});
  openDesigner();
  EXPECT_TRUE(press("按钮上移字段"));
  EXPECT_TRUE(user.pick(fieldList(), 1));
  EXPECT_TRUE(press("按钮下移字段"));
  EXPECT_EQ(fieldList().items(), (std::vector<base::TextValue>{"a", "b"}));
  EXPECT_EQ(fieldList().currentIndex(), 1);
}

TEST_F(FormDesignerTest, AFieldNameCannotHoldTheFieldSeparator) {
  start({{"一", "a|10|5|0|假"}});
  openDesigner();
  EXPECT_TRUE(user.erase(fieldName()));
  EXPECT_TRUE(user.type(fieldName(), "x|y"));
  toolkit.setClipboardText("|z||");
  EXPECT_TRUE(user.paste(fieldName()));
  EXPECT_EQ(fieldName().text(), "xyz");
  EXPECT_EQ(storedLibrary().forms()[0].fields[0].name, "xyz");
  EXPECT_EQ(storedLibrary().forms()[0].fields.size(), 1u);
}

TEST_F(FormDesignerTest, AFieldNameLongerThanADatabaseFieldNameIsCutWithAMessage) {
  start({{"一", "a|10|5|0|假"}});
  openDesigner();
  EXPECT_TRUE(user.erase(fieldName()));
  toolkit.setClipboardText("服务器所在机房位置说明");
  EXPECT_TRUE(user.paste(fieldName()));
  EXPECT_EQ(fieldName().text(), "服务器所在机房位");
  ASSERT_EQ(toolkit.messageBoxes().size(), 1u);
  EXPECT_EQ(toolkit.messageBoxes()[0].request.text,
            "字段名最多 16 个字节，也就是 8 个汉字或 16 个字母、数字；“服务器所在机房位置说明”有 22 个字节，只保留了前 16 "
            "个字节。");
  EXPECT_EQ(storedLibrary().forms()[0].fields[0].name, "服务器所在机房位");
}

TEST_F(FormDesignerTest, TheSettingsFileHoldsWhatTheWindowShowsAfterManyEdits) {
  start({{"一", kFourFields}, {"二", "x|10|5|0|假"}});
  openDesigner();
  EXPECT_TRUE(user.pick(fieldList(), 2));
  EXPECT_TRUE(user.click(keyBox()));
  EXPECT_TRUE(user.pick(kindList(), 6));  // 自由时间型
  EXPECT_TRUE(user.erase(fieldName()) && user.type(fieldName(), "到期"));
  EXPECT_TRUE(press("按钮添加字段"));
  EXPECT_TRUE(user.type(fieldName(), "新"));
  EXPECT_TRUE(user.pick(kindList(), 0));
  EXPECT_TRUE(user.typeOver(lengthBox(), "77"));
  EXPECT_TRUE(press("按钮上移字段"));
  EXPECT_TRUE(user.pick(formList(), 1));
  EXPECT_TRUE(user.erase(formName()) && user.type(formName(), "第二"));
  toolkit.setKeyState(ui::kCtrl);
  EXPECT_TRUE(press("按钮添加表单"));
  toolkit.setKeyState(ui::kNoKeys);
  EXPECT_TRUE(user.pick(formList(), 0));
  EXPECT_TRUE(press("按钮删除字段"));

  const forms::FormLibrary stored = storedLibrary();
  EXPECT_EQ(stored.forms(), library.forms());
  ASSERT_EQ(stored.forms().size(), 3u);
  std::vector<base::TextValue> shownForms = formList().items();
  for (std::size_t i = 0; i < stored.forms().size(); ++i) EXPECT_EQ(stored.forms()[i].name, shownForms[i]);
  EXPECT_EQ(forms::formatFieldSpecText(stored.forms()[0].fields, forms::kLibraryAttributes),
            "乙|3|4|0|假||到期|21|4|-1|真||新|10|77|-1|假||丁|10|30|0|假");
  EXPECT_EQ(storedIndex(), 0);

  mainWindow->formDesigner()->window().close();  // closing loses nothing
  EXPECT_EQ(mainWindow->formDesigner(), nullptr);
  EXPECT_EQ(storedLibrary().forms(), stored.forms());
}

}  // namespace
}  // namespace windows
