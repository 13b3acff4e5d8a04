// gebu-cli's commands, run in-process. Arguments and output are UTF-8, so this file writes its
// Chinese texts as UTF-8 bytes.

#include <gtest/gtest.h>

#include "cli/command.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "platform/text_codec.h"
#include "tests/support/run_cli.h"
#include "tests/support/scratch_dir.h"

namespace cli {
namespace {

using Result = testing_support::CliResult;

Result run(const std::vector<std::string>& args) { return testing_support::runCli(args); }

// UTF-8 spellings of the texts used below.
const std::string kSection = "\xE8\xA1\xA8\xE5\x8D\x95\xE5\xBA\x93";  // 表单库
const std::string kTrue = "\xE7\x9C\x9F";                               // 真
const std::string kPlatform = "\xE5\xB9\xB3\xE5\x8F\xB0";               // 平台

TEST(CliUsage, WrongCallsExitWithTwo) {
  EXPECT_EQ(run({}).status, kUsageError);
  EXPECT_EQ(run({"settings"}).status, kUsageError);
  EXPECT_EQ(run({"nothing", "here"}).status, kUsageError);
  EXPECT_EQ(run({"settings", "get", "a.ini"}).status, kUsageError);
  EXPECT_EQ(run({"forms", "parse", "x", "--attrs", "7"}).status, kUsageError);
  EXPECT_EQ(run({"forms", "parse", "x", "--bogus"}).status, kUsageError);
  EXPECT_EQ(run({"text", "date"}).status, kUsageError);
  Result help = run({"--help"});
  EXPECT_EQ(help.status, kSuccess);
  EXPECT_NE(help.out.find("gebu-cli settings get"), std::string::npos);
}

TEST(CliSettings, SetGetAndRenameWorkOnTheFile) {
  testing_support::ScratchDir dir;
  const std::string ini = platform::gbkToUtf8(dir.file("s.ini"));
  EXPECT_EQ(run({"settings", "set", ini, kSection, "count", "3", "--number"}).status, kSuccess);
  EXPECT_EQ(run({"settings", "set", ini, kSection, "flag", "true", "--logical"}).status, kSuccess);
  EXPECT_EQ(run({"settings", "set", ini, kSection, "name", kPlatform}).status, kSuccess);
  EXPECT_EQ(run({"settings", "get", ini, kSection, "count"}).out, "3\n");
  EXPECT_EQ(run({"settings", "get", ini, kSection, "flag"}).out, kTrue + "\n");
  EXPECT_EQ(run({"settings", "get", ini, kSection, "name"}).out, kPlatform + "\n");
  EXPECT_EQ(run({"settings", "get", ini, kSection, "none", "--default", "d"}).out, "d\n");

  std::string bytes;
  ASSERT_EQ(platform::readWholeFile(dir.file("s.ini"), bytes), platform::kFileOk);
  EXPECT_EQ(bytes, "[表单库]\r\nname=平台\r\nflag=真\r\ncount=3");  // GBK on disk

  Result renamed = run({"settings", "rename", ini, kSection, "name", "title"});
  EXPECT_EQ(renamed.status, kSuccess);
  EXPECT_EQ(renamed.out, "0\n");
  Result missing = run({"settings", "rename", ini, kSection, "name", "title"});
  EXPECT_EQ(missing.status, kFailure);
  EXPECT_EQ(missing.out, "2\n");
  EXPECT_EQ(run({"settings", "rename", ini, "none", "a", "b"}).out, "1\n");
}

TEST(CliSettings, ValuesAreCheckedBeforeAnythingIsWritten) {
  testing_support::ScratchDir dir;
  const std::string ini = platform::gbkToUtf8(dir.file("s.ini"));
  EXPECT_EQ(run({"settings", "set", ini, "S", "K", "12ab", "--number"}).status, kUsageError);
  EXPECT_EQ(run({"settings", "set", ini, "S", "K", "yes", "--logical"}).status, kUsageError);
  EXPECT_EQ(run({"settings", "set", ini, "S", "K", "1", "--number", "--logical"}).status, kUsageError);
  EXPECT_FALSE(platform::pathExists(dir.file("s.ini")));
  EXPECT_EQ(run({"settings", "set", ini, "S", "K", kTrue, "--logical"}).status, kSuccess);
  EXPECT_EQ(run({"settings", "get", ini, "S", "K"}).out, kTrue + "\n");
  EXPECT_EQ(run({"settings", "set", ini, "S", "N", "-1.5e2", "--number"}).status, kSuccess);
  EXPECT_EQ(run({"settings", "get", ini, "S", "N"}).out, "-150\n");
}

TEST(CliForms, ParseGivesOneObjectPerField) {
  Result r = run({"forms", "parse", kPlatform + "|10|10|0|" + kTrue + "||IP|10|30|0|x"});
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_EQ(r.out,
            "[{\"name\":\"" + kPlatform +
                "\",\"kind\":10,\"length\":10,\"link\":0,\"key\":true,\"columnWidth\":0},"
                "{\"name\":\"IP\",\"kind\":10,\"length\":30,\"link\":0,\"key\":false,\"columnWidth\":0}]\n");
  Result six = run({"forms", "parse", "a\"b|3|4|0||", "--attrs", "6"});
  EXPECT_EQ(six.out,
            "[{\"name\":\"a\\\"b\",\"kind\":3,\"length\":4,\"link\":0,\"key\":false,\"columnWidth\":100}]\n");
  EXPECT_EQ(run({"forms", "parse", ""}).out, "[]\n");
}

TEST(CliText, DateGivesTheDayNumberAndTheDisplayText) {
  Result r = run({"text", "date", "2017-12-10 08:00"});
  EXPECT_EQ(r.status, kSuccess);
  // 2017年12月10日8时
  EXPECT_EQ(r.out, "{\"value\":43079.333333333336,\"display\":\"2017\xE5\xB9\xB4" "12\xE6\x9C\x88"
                   "10\xE6\x97\xA5" "8\xE6\x97\xB6\"}\n");
  Result bad = run({"text", "date", "2017-02-30"});
  EXPECT_EQ(bad.out, "{\"value\":-657434,\"display\":\"100\xE5\xB9\xB4" "1\xE6\x9C\x88" "1\xE6\x97\xA5\"}\n");
  // Full-width digits typed in UTF-8: ２０１７-１２-１０
  Result wide = run({"text", "date", "\xEF\xBC\x92\xEF\xBC\x90\xEF\xBC\x91\xEF\xBC\x97-\xEF\xBC\x91\xEF\xBC\x92-"
                                     "\xEF\xBC\x91\xEF\xBC\x90"});
  EXPECT_NE(wide.out.find("\"value\":43079,"), std::string::npos);
}

}  // namespace
}  // namespace cli
