// gebu-cli's tree dump, list export and list create, run in-process on files in a scratch run folder. Texts in
// this file are GBK like every literal of the system; u() gives the UTF-8 that the commands take
// and print.

#include <gtest/gtest.h>

#include "cli/command.h"
#include "forms/form_library.h"
#include "lists/list_creation.h"
#include "lists/run_folder.h"
#include "lists/tree_file.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "platform/text_codec.h"
#include "tests/support/run_cli.h"
#include "tests/support/scratch_dir.h"

namespace cli {
namespace {

using Result = testing_support::CliResult;

Result run(const std::vector<std::string>& args) { return testing_support::runCli(args); }

std::string u(const std::string& gbk) { return platform::gbkToUtf8(gbk); }

ui::TreeItemInfo info(const base::TextValue& text, int level, int image, std::int32_t data, bool bold = false,
                      bool expanded = false) {
  ui::TreeItemInfo item;
  item.item.text = text;
  item.item.image = image;
  item.item.selectedImage = image;
  item.item.data = data;
  item.item.bold = bold;
  item.item.expanded = expanded;
  item.level = level;
  return item;
}

TEST(CliTreeDump, PrintsEveryItemWithItsLevel) {
  testing_support::ScratchDir dir;
  const base::TextValue path = dir.file("树型框数据.AI");
  const std::string bytes = lists::encodeTreeFile(
      {info("列表", 1, 0, 0, true, true), info("平台", 2, 1, 1), info("阿\"里\"云", 3, 2, -7), info("B", 1, 0, 0)});
  ASSERT_EQ(platform::writeWholeFile(path, bytes), platform::kFileOk);
  const Result r = run({"tree", "dump", u(path)});
  EXPECT_EQ(r.status, kSuccess) << r.err;
  EXPECT_EQ(r.out, u("[{\"text\":\"列表\",\"image\":0,\"selectedImage\":0,\"data\":0,\"state\":3,\"level\":1},"
                     "{\"text\":\"平台\",\"image\":1,\"selectedImage\":1,\"data\":1,\"state\":0,\"level\":2},"
                     "{\"text\":\"阿\\\"里\\\"云\",\"image\":2,\"selectedImage\":2,\"data\":-7,\"state\":0,\"level\":3},"
                     "{\"text\":\"B\",\"image\":0,\"selectedImage\":0,\"data\":0,\"state\":0,\"level\":1}]\n"));

  // A damaged file: the items before the damage, and a failure.
  ASSERT_EQ(platform::writeWholeFile(path, bytes.substr(0, bytes.size() - 3)), platform::kFileOk);
  const Result damaged = run({"tree", "dump", u(path)});
  EXPECT_EQ(damaged.status, kFailure);
  EXPECT_NE(damaged.out.find(u("阿\\\"里\\\"云")), std::string::npos);
  EXPECT_EQ(damaged.out.find("\"B\""), std::string::npos);
  EXPECT_NE(damaged.err.find("damaged"), std::string::npos);

  ASSERT_EQ(platform::writeWholeFile(path, ""), platform::kFileOk);
  EXPECT_EQ(run({"tree", "dump", u(path)}).out, "[]\n");
  EXPECT_EQ(run({"tree", "dump", u(dir.file("无"))}).status, kFailure);
  EXPECT_EQ(run({"tree", "dump"}).status, kUsageError);
  EXPECT_EQ(run({"tree", "dump", "a", "b"}).status, kUsageError);
}

// A run folder with the list 客户: its form copy in the settings file and its database in the
// data folder, holding three records of which the second is deleted.
class CliListExport : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(platform::createDirectory(lists::dataFolder(dir.path())), platform::kFileOk);
    setForm("客户", "名称|10|20|0|真|100||备注|12|0|0|假|100||链接|22|512|0|假|100||FTP|23|80|0|假|80||"
                    "金额|5|0|0|假|100||开|7|0|0|假|100||到期|8|0|0|假|100");
    const std::string db = database("客户");
    ASSERT_EQ(run({"db", "create", db, u("名称:10:20"), u("备注:12"), u("链接:10:512"), "FTP:10:80", u("金额:5"),
                   u("开:7"), u("到期:8")}).status, kSuccess);
    ASSERT_EQ(run({"db", "append", db, u("名称=阿里云, 杭州"), u("备注=第一行\r\n第二行"), u("链接=官网||http://a/"),
                   u("FTP=张三||密码||ftp.a"), u("金额=1.25"), u("开=真"), u("到期=2017-12-10 10:05")}).status, kSuccess);
    ASSERT_EQ(run({"db", "append", db, u("名称=已删除")}).status, kSuccess);
    ASSERT_EQ(run({"db", "append", db, u("名称=说\"好\""), u("FTP=||密码||ftp.b"), u("到期=2020-01-02")}).status, kSuccess);
    ASSERT_EQ(run({"db", "delete", db, "2"}).status, kSuccess);
  }

  void setForm(const base::TextValue& list, const base::TextValue& fields) {
    ASSERT_EQ(run({"settings", "set", u(lists::settingsFilePath(dir.path())), u(lists::kListFormsSection), u(list),
                   u(fields)}).status, kSuccess);
  }
  std::string database(const base::TextValue& list) const { return u(lists::listDatabasePath(dir.path(), list)); }
  std::string runDir() const { return u(dir.path()); }

  testing_support::ScratchDir dir;
};

TEST_F(CliListExport, CsvHasAByteOrderMarkTitlesAndQuotedCells) {
  const Result r = run({"list", "export", runDir(), u("客户")});
  EXPECT_EQ(r.status, kSuccess) << r.err;
  EXPECT_EQ(r.out, "\xEF\xBB\xBF" + u("名称,备注,链接,FTP,金额,开,到期\r\n"
                                     "\"阿里云, 杭州\",\"第一行\r\n第二行\",官网,ftp.a(张三),1.25,真,2017年12月10日10时5分\r\n"
                                     "\"说\"\"好\"\"\",,,ftp.b,0,假,2020年1月2日\r\n"));
  EXPECT_EQ(run({"list", "export", runDir(), u("客户"), "--format", "csv"}).out, r.out);
}

TEST_F(CliListExport, JsonHasColumnsAndRows) {
  const Result r = run({"list", "export", runDir(), u("客户"), "--format", "json"});
  EXPECT_EQ(r.status, kSuccess) << r.err;
  EXPECT_EQ(r.out, u("{\"columns\":[\"名称\",\"备注\",\"链接\",\"FTP\",\"金额\",\"开\",\"到期\"],\"rows\":["
                     "[\"阿里云, 杭州\",\"第一行\\r\\n第二行\",\"官网\",\"ftp.a(张三)\",\"1.25\",\"真\",\"2017年12月10日10时5分\"],"
                     "[\"说\\\"好\\\"\",\"\",\"\",\"ftp.b\",\"0\",\"假\",\"2020年1月2日\"]]}\n"));
}

TEST_F(CliListExport, MissingListsAndMismatchedFilesFail) {
  EXPECT_EQ(run({"list", "export", runDir(), u("无此列表")}).status, kFailure);
  EXPECT_EQ(run({"list", "export", u(dir.file("别处")), u("客户")}).status, kFailure);

  setForm("空库", "名称|10|20|0|真|100");  // a form copy without its database
  const Result missing = run({"list", "export", runDir(), u("空库")});
  EXPECT_EQ(missing.status, kFailure);
  EXPECT_EQ(missing.err.rfind("error ", 0), 0u) << missing.err;

  setForm("客户", "名称|10|20|0|真|100||备注|12|0|0|假|100||链接|22|512|0|假|100||FTP|23|80|0|假|80||"
                  "金额|5|0|0|假|100||开|7|0|0|假|100||到期|8|0|0|假|100||多余|10|10|0|假|100");
  const Result more = run({"list", "export", runDir(), u("客户")});
  EXPECT_EQ(more.status, kFailure);
  EXPECT_TRUE(more.out.empty());
}

TEST_F(CliListExport, WrongCallsAreUsageErrors) {
  EXPECT_EQ(run({"list", "export", runDir()}).status, kUsageError);
  EXPECT_EQ(run({"list", "export", runDir(), u("客户"), "--format", "xml"}).status, kUsageError);
  EXPECT_EQ(run({"list", "export", runDir(), u("客户"), "--format"}).status, kUsageError);
  EXPECT_EQ(run({"list", "export", runDir(), u("客户"), "extra"}).status, kUsageError);
}

// list create on an empty run folder: the sample form, then lists named after it one by one, each
// with a database the export reads, its form copy, and its items after those already in the tree.
TEST(CliListCreate, MakesListsAsTheProgramDoes) {
  testing_support::ScratchDir dir;
  const std::string runDir = u(dir.path());
  const Result first = run({"list", "create", runDir, "1"});
  ASSERT_EQ(first.status, kSuccess) << first.err;
  EXPECT_EQ(first.out, u("示例表单\n"));
  const Result second = run({"list", "create", runDir, u("示例表单")});
  ASSERT_EQ(second.status, kSuccess) << second.err;
  EXPECT_EQ(second.out, u("示例表单1\n"));

  const std::string db = u(lists::listDatabasePath(dir.path(), "示例表单1"));
  ASSERT_EQ(run({"db", "append", db, u("平台=阿里云"), u("域名=a.cn")}).status, kSuccess);
  const Result exported = run({"list", "export", runDir, u("示例表单1"), "--format", "json"});
  EXPECT_EQ(exported.status, kSuccess) << exported.err;
  EXPECT_NE(exported.out.find(u("[\"阿里云\",\"a.cn\"")), std::string::npos) << exported.out;

  // Each list: an expanded list item, then its one key field (平台, field 1).
  const Result tree = run({"tree", "dump", u(lists::treeDataFilePath(dir.path()))});
  EXPECT_EQ(tree.out, u("[{\"text\":\"示例表单\",\"image\":0,\"selectedImage\":0,\"data\":0,\"state\":2,\"level\":1},"
                        "{\"text\":\"平台\",\"image\":1,\"selectedImage\":1,\"data\":1,\"state\":0,\"level\":2},"
                        "{\"text\":\"示例表单1\",\"image\":0,\"selectedImage\":0,\"data\":0,\"state\":2,\"level\":1},"
                        "{\"text\":\"平台\",\"image\":1,\"selectedImage\":1,\"data\":1,\"state\":0,\"level\":2}]\n"));

  EXPECT_EQ(run({"list", "create", runDir, "2"}).status, kFailure);  // one form only
  EXPECT_EQ(run({"list", "create", runDir, u("无此表单")}).status, kFailure);
  EXPECT_EQ(run({"list", "create", runDir}).status, kUsageError);
}

TEST(CliListCreate, ADamagedTreeFileIsLeftAloneAndNoListIsMade) {
  testing_support::ScratchDir dir;
  ASSERT_EQ(platform::createDirectory(lists::dataFolder(dir.path())), platform::kFileOk);
  const base::TextValue treePath = lists::treeDataFilePath(dir.path());
  const std::string bytes = lists::encodeTreeFile({info("列表", 1, 0, 0)});
  ASSERT_EQ(platform::writeWholeFile(treePath, bytes.substr(0, bytes.size() - 2)), platform::kFileOk);
  const Result r = run({"list", "create", u(dir.path()), "1"});
  EXPECT_EQ(r.status, kFailure);
  EXPECT_NE(r.err.find("damaged"), std::string::npos) << r.err;
  std::string after;
  ASSERT_EQ(platform::readWholeFile(treePath, after), platform::kFileOk);
  EXPECT_EQ(after, bytes.substr(0, bytes.size() - 2));
  EXPECT_FALSE(platform::pathExists(lists::listDatabasePath(dir.path(), "示例表单")));
}

// A library form of 10,000 fields, more than a list's database holds: the command says so with the
// program's message and leaves no database file.
TEST(CliListCreate, AFormWithTooManyFieldsIsRefusedWithItsCount) {
  testing_support::ScratchDir dir;
  {
    settings::SettingsStore store;
    ASSERT_TRUE(store.open(lists::settingsFilePath(dir.path())));
    forms::FormLibrary library;
    forms::FormDefinition huge{"大表", {}};
    for (int i = 0; i < 10000; ++i) huge.fields.push_back({"f" + std::to_string(i), 10, 8, 0, false, 0});
    library.forms().push_back(huge);
    library.save(store, 0);
  }
  const Result r = run({"list", "create", u(dir.path()), "1"});
  EXPECT_EQ(r.status, kFailure);
  EXPECT_EQ(r.err, u("error: 新建列表失败，表单的字段太多（10000 个），一个列表最多只能有 4096 个字段！\n"));
  EXPECT_FALSE(platform::pathExists(lists::listDatabasePath(dir.path(), "大表")));
}

}  // namespace
}  // namespace cli
