// gebu-cli's path arguments (RUNDIR, PATH, INI, FILE) with characters GBK has not: each command
// works on the file the UTF-8 path names, while other arguments (list names, values) stay GBK
// texts with "?" for what GBK cannot hold.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/text_codec.h"
#include "tests/support/run_cli.h"
#include "tests/support/scratch_dir.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using Result = testing_support::CliResult;

Result run(const std::vector<std::string>& args) { return testing_support::runCli(args); }

// GBK literals of this file hold GBK characters only; other characters are written as UTF-8.
std::string u(const std::string& gbk) { return platform::gbkToUtf8(gbk); }
std::string u8(const char8_t* utf8) { return reinterpret_cast<const char*>(utf8); }

TEST(CliPathArguments, CommandsWorkOnFilesInAFolderNamedWithCharactersGbkHasNot) {
  testing_support::ScratchDir dir;
  const fs::path runFolder = fs::path(platform::gbkToUtf16(dir.path())) / fs::path(u8"사용자 😀 Straße");
  ASSERT_TRUE(fs::create_directory(runFolder));
  const std::string run8 = u8(runFolder.u8string().c_str());

  const Result created = run({"list", "create", run8, "1"});
  ASSERT_EQ(created.status, kSuccess) << created.err;
  const fs::path data = runFolder / fs::path(u8"程序数据");
  EXPECT_TRUE(fs::is_regular_file(runFolder / fs::path(u8"砚川·格簿录入台.ini")));
  EXPECT_TRUE(fs::is_regular_file(data / fs::path(u8"树型框数据.AI")));
  EXPECT_TRUE(fs::is_regular_file(data / fs::path(u8"示例表单.edb")));

  {
    std::ofstream csv(runFolder / fs::path(u8"导入 😀.csv"), std::ios::binary);
    csv << u("平台,域名\n阿里云,a.cn\n");
  }
  const std::string db = u8((data / fs::path(u8"示例表单.edb")).u8string().c_str());
  const Result imported = run({"db", "import", db, u8((runFolder / fs::path(u8"导入 😀.csv")).u8string().c_str())});
  EXPECT_EQ(imported.status, kSuccess) << imported.err;
  EXPECT_EQ(run({"db", "append", db, u("平台=") + u8(u8"사용자"), u("域名=b.cn")}).status, kSuccess);
  const Result exported = run({"list", "export", run8, u("示例表单"), "--format", "csv"});
  EXPECT_EQ(exported.status, kSuccess) << exported.err;
  EXPECT_NE(exported.out.find(u("阿里云,a.cn")), std::string::npos) << exported.out;
  EXPECT_NE(exported.out.find("???,b.cn"), std::string::npos) << exported.out;  // a value, not a path

  const std::string ini = u8((runFolder / fs::path(u8"砚川·格簿录入台.ini")).u8string().c_str());
  EXPECT_EQ(run({"settings", "set", ini, u("主界面"), "key", "7"}).status, kSuccess);
  EXPECT_EQ(run({"settings", "get", ini, u("主界面"), "key"}).out, "7\n");
  const Result tree = run({"tree", "dump", u8((data / fs::path(u8"树型框数据.AI")).u8string().c_str())});
  EXPECT_EQ(tree.status, kSuccess) << tree.err;
  EXPECT_NE(tree.out.find(u("示例表单")), std::string::npos);

  const std::string made = u8((runFolder / fs::path(u8"새 😀.edb")).u8string().c_str());
  EXPECT_EQ(run({"db", "create", made, "a:3"}).status, kSuccess);
  EXPECT_TRUE(fs::is_regular_file(runFolder / fs::path(u8"새 😀.edb")));
  EXPECT_EQ(run({"db", "info", made}).status, kSuccess);
  // Only the run folder's own names were made beside the run folder: nothing under a "?" name.
  for (const auto& entry : fs::recursive_directory_iterator(fs::path(platform::gbkToUtf16(dir.path())))) {
    EXPECT_EQ(entry.path().u8string().find(u8'?'), std::u8string::npos) << entry.path();
  }
}

}  // namespace
}  // namespace cli
