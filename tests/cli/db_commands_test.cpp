// gebu-cli's db commands, run in-process on database files in a scratch folder. Texts in this file
// are GBK like every literal of the system; u() gives the UTF-8 that the commands take and print.

#include <gtest/gtest.h>

#include <cstring>

#include "cli/command.h"
#include "cli/value_text.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "platform/text_codec.h"
#include "recorddb/format.h"
#include "tests/support/run_cli.h"
#include "tests/support/scratch_dir.h"

namespace cli {
namespace {

using Result = testing_support::CliResult;

Result run(const std::vector<std::string>& args) { return testing_support::runCli(args); }

std::string u(const std::string& gbk) { return platform::gbkToUtf8(gbk); }

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class CliDb : public ::testing::Test {
 protected:
  // The path of a database in the scratch folder, as a command argument.
  std::string path(const char* name) const { return u(dir_.file(name)); }
  base::TextValue file(const char* name) const { return dir_.file(name); }

  // A list of three fields: 名称 text 20, 备注 memo, Ping integer (record length 32, data at 332).
  std::string sampleList() const {
    std::string list = path("列表");
    EXPECT_EQ(run({"db", "create", list, u("名称:10:20"), u("备注:12"), "Ping:3"}).status, kSuccess);
    return list;
  }

  // Overwrites bytes of a file in place.
  static void patch(const base::TextValue& file, std::uint64_t offset, std::string_view bytes) {
    platform::File f;
    ASSERT_EQ(f.open(file, platform::FileAccess::ReadWrite, platform::ShareMode::DenyNone,
                     platform::OpenMode::OpenExisting), platform::kFileOk);
    ASSERT_EQ(f.writeAt(offset, bytes.data(), bytes.size()), platform::kFileOk);
  }

  static std::string int32Bytes(std::int32_t value) {
    char bytes[4];
    recorddb::format::writeInt32(bytes, value);
    return std::string(bytes, 4);
  }

 private:
  testing_support::ScratchDir dir_;
};

TEST_F(CliDb, CreateWritesTheLayoutThatInfoShows) {
  const std::string list = sampleList();
  EXPECT_TRUE(platform::pathExists(file("列表.EDB")));
  EXPECT_TRUE(platform::pathExists(file("列表.EDT")));
  Result info = run({"db", "info", list});
  EXPECT_EQ(info.status, kSuccess);
  EXPECT_EQ(info.out, u("{\"version\":65536,\"slotCount\":0,\"nextId\":1,\"recordLength\":32,\"dataStart\":332,"
                        "\"fields\":[{\"name\":\"名称\",\"type\":10,\"offset\":4,\"length\":20},"
                        "{\"name\":\"备注\",\"type\":12,\"offset\":24,\"length\":0},"
                        "{\"name\":\"Ping\",\"type\":3,\"offset\":28,\"length\":0}]}\n"));

  Result again = run({"db", "create", list, "a:3"});
  EXPECT_EQ(again.status, kFailure);
  EXPECT_EQ(run({"db", "info", list}).out, info.out);  // an existing database is never overwritten

  const std::string other = path("other.edb");
  for (const char* field : {"a", "a:x", ":3", "a:3:y", "a:"}) {
    EXPECT_EQ(run({"db", "create", other, field}).status, kUsageError) << field;
  }
  EXPECT_EQ(run({"db", "create", other}).status, kUsageError);
  Result badType = run({"db", "create", other, "a:13"});
  EXPECT_EQ(badType.status, kFailure);
  EXPECT_EQ(badType.err, u("error -17: 无效的字段类型\n"));
  EXPECT_EQ(run({"db", "create", other, "a:10"}).err, u("error -19: 无效的字段尺寸\n"));
  EXPECT_TRUE(contains(run({"db", "create", other, "1a:3"}).err, "error -18: "));
  EXPECT_FALSE(platform::pathExists(file("other.edb")));
  EXPECT_EQ(run({"db", "info", path("missing")}).err, u("error -3: 指定文件未找到\n"));
}

TEST_F(CliDb, ValuesOfEveryTypeAreWrittenAndDumped) {
  const std::string list = path("all");
  ASSERT_EQ(run({"db", "create", list, "b:1", "s:2", "i:3", "l:4", "f:5", "d:6", "g:7", "t:8", "r:9", "x:10:8",
                 "y:11", "m:12"}).status, kSuccess);
  std::string memo;
  for (int i = 0; i < 150; ++i) memo += "备注";  // 600 bytes: two blocks of the auxiliary file
  Result first = run({"db", "append", list, "b=255", "s=-32768", "i=2147483647", "l=-9007199254740993", "f=1.1",
                      "d=0.1", u("g=真"), "t=2017-12-10", "r=4294967295", u("x=平台ab"), "y=00FF7f", u("m=" + memo)});
  EXPECT_EQ(first.status, kSuccess) << first.err;
  EXPECT_EQ(first.out, "1\n");
  Result second = run({"db", "append", list, "B=0", "g=false", "t=43079.5", "x=tolength", "f=-2.5e3", "y="});
  EXPECT_EQ(second.out, "2\n");
  EXPECT_EQ(run({"db", "append", list, "g=1", "t=-657434", "d=+.5"}).out, "3\n");

  Result dump = run({"db", "dump", list});
  EXPECT_EQ(dump.status, kSuccess);
  EXPECT_EQ(dump.out,
            u("[{\"id\":1,\"deleted\":false,\"values\":[255,-32768,2147483647,-9007199254740993,1.1,0.1,true,43079,"
              "4294967295,\"平台ab\",\"00ff7f\",\"" + memo + "\"]},"
              "{\"id\":2,\"deleted\":false,\"values\":[0,0,0,0,-2500,0,false,43079.5,0,\"tolength\",\"\",\"\"]},"
              "{\"id\":3,\"deleted\":false,\"values\":[0,0,0,0,0,0.5,true,-657434,0,\"\",\"\",\"\"]}]\n"));
}

TEST_F(CliDb, ValuesThatDoNotFitTheirFieldAreRefusedBeforeAnythingIsWritten) {
  const std::string list = path("all");
  ASSERT_EQ(run({"db", "create", list, "b:1", "s:2", "i:3", "l:4", "f:5", "g:7", "t:8", "r:9", "y:11", "x:10:4"}).status,
            kSuccess);
  for (const char* value : {"b=256", "b=-1", "s=32768", "i=1.5", "i=abc", "i=", "i= 1", "i=+-1",
                            "l=99999999999999999999", "f=1e", "f=.", "f=1,5", "g=yes", "g=", "t=2017-02-30", "t=xyz",
                            "r=-1", "y=abc", "y=0", "z=1", "0=1", "11=1", "b"}) {
    Result r = run({"db", "append", list, "i=1", value});
    EXPECT_EQ(r.status, kUsageError) << value;
    EXPECT_TRUE(contains(r.err, "usage error: ")) << value;
  }
  // A text longer than its field would be cut by the database: it is refused instead.
  const Result tooLong = run({"db", "append", list, u("x=阿里云")});
  EXPECT_EQ(tooLong.status, kUsageError);
  EXPECT_TRUE(contains(tooLong.err, "holds at most 4 bytes, the value has 6")) << tooLong.err;
  EXPECT_EQ(run({"db", "dump", list, "--deleted"}).out, "[]\n");
  EXPECT_EQ(run({"db", "append", list, "9=0a"}).status, kSuccess);  // a position designates a field too
  EXPECT_EQ(run({"db", "set", list, "1", "t=2017-02-30"}).status, kUsageError);
  EXPECT_TRUE(contains(run({"db", "dump", list}).out, "\"0a\""));
}

// db import: a record per CSV row, the first row naming fields by name or number; quoted fields
// keep commas, line ends and quotes; a wrong row appends nothing.
TEST_F(CliDb, ImportAppendsARecordPerCsvRow) {
  const std::string list = sampleList();
  const base::TextValue csv = file("导入.csv");
  const auto importText = [&](const std::string& text) {
    EXPECT_EQ(platform::writeWholeFile(csv, text), platform::kFileOk);
    return run({"db", "import", list, u(csv)});
  };
  const Result imported = importText("\xEF\xBB\xBF" + u("名称,3,备注\r\n"
                                                        "甲,12,\"一行, 还有\r\n第二行\"\r\n"
                                                        "\n"
                                                        "\"说\"\"好\"\"\",0,\n"
                                                        "乙,-5,"));
  EXPECT_EQ(imported.status, kSuccess) << imported.err;
  EXPECT_EQ(imported.out, "1\n2\n3\n");
  EXPECT_EQ(run({"db", "dump", list}).out,
            u("[{\"id\":1,\"deleted\":false,\"values\":[\"甲\",\"一行, 还有\\r\\n第二行\",12]},"
              "{\"id\":2,\"deleted\":false,\"values\":[\"说\\\"好\\\"\",\"\",0]},"
              "{\"id\":3,\"deleted\":false,\"values\":[\"乙\",\"\",-5]}]\n"));

  for (const std::string& wrong : {u("名称,Ping\n丙,1\n丁,x\n"), u("名称,Ping\n丙\n"), u("无此字段\n1\n"),
                                   u("名称\n\"未闭合\n"), u("名称\n\"a\"b\n")}) {
    const Result r = importText(wrong);
    EXPECT_EQ(r.status, kFailure) << wrong;
    EXPECT_TRUE(contains(r.err, "error: ")) << r.err;
  }
  EXPECT_EQ(run({"db", "info", list}).out.find("\"nextId\":4") != std::string::npos, true);  // nothing appended
  EXPECT_EQ(importText("").out, "");  // no rows: nothing to do
  EXPECT_EQ(run({"db", "import", list, u(file("无"))}).status, kFailure);
  EXPECT_EQ(run({"db", "import", list}).status, kUsageError);
}

// A database two record IDs short of the largest: an import of three rows appends none of them
// and says why; two rows take the last two IDs; then an append fails with the engine's error.
TEST_F(CliDb, RecordIdsRunningOutStopAnImportBeforeItsFirstRow) {
  const std::string list = sampleList();
  patch(file("列表.EDB"), 20, int32Bytes(INT32_MAX - 2));
  const base::TextValue csv = file("导入.csv");
  ASSERT_EQ(platform::writeWholeFile(csv, u("名称\n甲\n乙\n丙\n")), platform::kFileOk);
  const Result refused = run({"db", "import", list, u(csv)});
  EXPECT_EQ(refused.status, kFailure);
  EXPECT_TRUE(contains(refused.err, "3 rows, but the database takes only 2 more records")) << refused.err;
  EXPECT_EQ(run({"db", "dump", list}).out, "[]\n");

  ASSERT_EQ(platform::writeWholeFile(csv, u("名称\n甲\n乙\n")), platform::kFileOk);
  const Result imported = run({"db", "import", list, u(csv)});
  EXPECT_EQ(imported.status, kSuccess) << imported.err;
  EXPECT_EQ(imported.out, "2147483645\n2147483646\n");
  const Result appended = run({"db", "append", list});
  EXPECT_EQ(appended.status, kFailure);
  EXPECT_EQ(appended.err, u("error -82: 记录编号已经用完，不能再追加记录\n"));
}

TEST_F(CliDb, RecordsAreEditedByIdDeletedAndPacked) {
  const std::string list = sampleList();
  EXPECT_EQ(run({"db", "append", list, u("名称=甲"), u("备注=旧备注")}).out, "1\n");
  EXPECT_EQ(run({"db", "append", list, u("名称=乙")}).out, "2\n");
  EXPECT_EQ(run({"db", "append", list}).out, "3\n");
  EXPECT_EQ(run({"db", "set", list, "2", "PING=5", "2=\"q\"\\n"}).status, kSuccess);  // names ignore letter case
  EXPECT_EQ(run({"db", "set", list, "3", u("名称=丙"), "3=-7"}).status, kSuccess);

  Result missing = run({"db", "set", list, "9", "Ping=1"});
  EXPECT_EQ(missing.status, kFailure);
  EXPECT_EQ(missing.err, "error: no record with ID 9\n");
  EXPECT_EQ(run({"db", "set", list, "x", "Ping=1"}).status, kUsageError);
  EXPECT_EQ(run({"db", "set", list, "2"}).status, kUsageError);

  EXPECT_EQ(run({"db", "delete", list, "1", "3"}).status, kSuccess);
  EXPECT_EQ(run({"db", "delete", list, "2", "99"}).status, kFailure);  // marks nothing
  EXPECT_EQ(run({"db", "delete", list, "0"}).status, kUsageError);
  EXPECT_EQ(run({"db", "dump", list}).out,
            u("[{\"id\":2,\"deleted\":false,\"values\":[\"乙\",\"\\\"q\\\"\\\\n\",5]}]\n"));
  EXPECT_EQ(run({"db", "dump", list, "--deleted"}).out,
            u("[{\"id\":1,\"deleted\":true,\"values\":[\"甲\",\"旧备注\",0]},"
              "{\"id\":2,\"deleted\":false,\"values\":[\"乙\",\"\\\"q\\\"\\\\n\",5]},"
              "{\"id\":3,\"deleted\":true,\"values\":[\"丙\",\"\",-7]}]\n"));

  EXPECT_EQ(run({"db", "pack", list}).status, kSuccess);
  EXPECT_EQ(run({"db", "dump", list, "--deleted"}).out,
            u("[{\"id\":2,\"deleted\":false,\"values\":[\"乙\",\"\\\"q\\\"\\\\n\",5]}]\n"));
  EXPECT_EQ(run({"db", "check", list}).status, kSuccess);  // the memo of record 1 went with it
  EXPECT_EQ(run({"db", "append", list}).out, "4\n");  // IDs are never reused
  EXPECT_TRUE(contains(run({"db", "info", list}).out, "\"slotCount\":2,\"nextId\":5,"));
}

TEST_F(CliDb, WritingCommandsRefuseAListThatAnotherWriterHasOpen) {
  const std::string list = sampleList();
  ASSERT_EQ(run({"db", "append", list, u("名称=甲")}).status, kSuccess);
  {
    // What the program holds while a list is open: read/write access, others denied writing.
    platform::File program;
    ASSERT_EQ(program.open(file("列表.EDB"), platform::FileAccess::ReadWrite, platform::ShareMode::DenyWrite,
                           platform::OpenMode::OpenExisting), platform::kFileOk);
    for (std::vector<std::string> command : {std::vector<std::string>{"db", "append", list},
                                             {"db", "set", list, "1", "Ping=1"},
                                             {"db", "delete", list, "1"},
                                             {"db", "pack", list}}) {
      Result r = run(command);
      EXPECT_EQ(r.status, kFailure) << command[1];
      EXPECT_EQ(r.err, u("error -12: 访问文件时产生共享冲突\n")) << command[1];
    }
    EXPECT_EQ(run({"db", "dump", list}).out, u("[{\"id\":1,\"deleted\":false,\"values\":[\"甲\",\"\",0]}]\n"));
    EXPECT_EQ(run({"db", "info", list}).status, kSuccess);
    EXPECT_EQ(run({"db", "check", list}).status, kSuccess);
  }
  EXPECT_EQ(run({"db", "append", list}).out, "2\n");
}

TEST_F(CliDb, CheckReportsWhatCannotBeReadOrBreaksTheRules) {
  const std::string list = sampleList();
  for (int i = 0; i < 3; ++i) ASSERT_EQ(run({"db", "append", list, u("备注=长文本")}).status, kSuccess);
  ASSERT_EQ(run({"db", "delete", list, "2"}).status, kSuccess);
  Result healthy = run({"db", "check", list});
  EXPECT_EQ(healthy.status, kSuccess);
  EXPECT_EQ(healthy.out, "fields: 3, next ID: 4\nrecords: 3 (1 delete-marked)\nproblems: 0\n");

  constexpr std::uint64_t kDataStart = 332, kRecordLength = 32;
  patch(file("列表.EDB"), kDataStart + 2 * kRecordLength, int32Bytes(1));
  patch(file("列表.EDB"), kDataStart + 1 * kRecordLength, int32Bytes(-9));
  Result ids = run({"db", "check", list});
  EXPECT_EQ(ids.status, kFailure);
  EXPECT_EQ(ids.out, "fields: 3, next ID: 4\nrecords: 3 (1 delete-marked)\n"
                     "record 2: ID 9 not below the next ID 4\nrecord 3: ID 1 after ID 9\nproblems: 2\n");

  patch(file("列表.EDB"), kDataStart + 24, int32Bytes(7));  // record 1's memo in a block past the end
  EXPECT_TRUE(contains(run({"db", "check", list}).out,
                       u("record 1 (ID 1), field 2 (备注): error -59: 访问数据库的辅助文件失败\n")));
  EXPECT_EQ(run({"db", "dump", list}).status, kFailure);

  patch(file("列表.EDT"), 16, int32Bytes(9));  // more blocks than the file holds
  Result aux = run({"db", "check", list});
  EXPECT_EQ(aux.status, kFailure);
  EXPECT_EQ(aux.out, u("open: error -37: 指定文件不是数据库辅助文件或已被损坏\nproblems: 1\n"));

  ASSERT_EQ(platform::writeWholeFile(file("x.edb"), "not a database"), platform::kFileOk);
  EXPECT_EQ(run({"db", "check", path("x.edb")}).out, u("open: error -22: 指定文件不是数据库文件\nproblems: 1\n"));
  EXPECT_EQ(run({"db", "check", path("x.edb"), "more"}).status, kUsageError);
}

TEST(CliValueText, NumbersAndBytesAreReadWhollyOrNotAtAll) {
  EXPECT_EQ(parseDecimal("5."), 5.0);
  EXPECT_EQ(parseDecimal(".5"), 0.5);
  EXPECT_EQ(parseDecimal("-1.5E+3"), -1500.0);
  for (const char* text : {"", ".", "-", "1e", "1e+", " 1", "1 ", "+-1", "0x10", "1.2.3", "inf", "nan"}) {
    EXPECT_EQ(parseDecimal(text), std::nullopt) << text;
  }
  EXPECT_EQ(parseWholeNumber("+5", 0, 9), 5);
  EXPECT_EQ(parseWholeNumber("-0", 0, 9), 0);
  EXPECT_EQ(parseWholeNumber("10", 0, 9), std::nullopt);
  EXPECT_EQ(parseWholeNumber("+-5", -9, 9), std::nullopt);
  EXPECT_EQ(parseWholeNumber("-", -9, 9), std::nullopt);
  EXPECT_EQ(parseHex(""), std::string());
  EXPECT_EQ(parseHex("0aFF"), std::string("\x0a\xff"));
  EXPECT_EQ(parseHex("abc"), std::nullopt);
  EXPECT_EQ(parseHex("0g"), std::nullopt);
  EXPECT_EQ(hexText(std::string("\x00\x7f\x80\xff", 4)), "007f80ff");
}

}  // namespace
}  // namespace cli
