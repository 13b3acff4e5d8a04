// The PING command in the running program against the loopback test server: the question, results
// in the cells and in the records (still there after the page opens again), the stop button, the
// refusals and the disabled tree during a run, a filtered page, a list whose PING column is the
// old integer one, and the window closing in the middle of a run.

#include <regex>

#include "tests/app/program_fixture.h"
#include "ui/panels.h"
#include "windows/entry_panel_layout.h"
#include "tests/checks/test_http_server.h"
#include "ui/toolbar.h"

namespace app {
namespace {

using checks_testing::TestHttpServer;

// 名称 (key), 网址, PING of 网址.
constexpr char kPingForm[] = "名称|10|20|0|真||网址|10|100|0|假||PING|25|30|2|假";
constexpr int kPingColumn = 3;

class PingTest : public ProgramFixture {
 protected:
  // The list 客户 with a record (名称, 网址) for each address, its page open.
  std::unique_ptr<Run> openList(const std::vector<std::pair<base::TextValue, base::TextValue>>& records) {
    storeForms({{"客户", kPingForm}});
    auto run = start();
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
    appendRecords("客户", records);
    EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
    return run;
  }
  std::vector<std::pair<base::TextValue, base::TextValue>> rowsProbing(const std::vector<std::string>& paths) {
    std::vector<std::pair<base::TextValue, base::TextValue>> records;
    for (std::size_t i = 0; i < paths.size(); ++i) records.push_back({"名" + std::to_string(i % 2), server.address(paths[i])});
    return records;
  }
  static grid::RecordGrid& grid(Run& run) { return run.application.mainWindow()->grid(); }
  static base::TextValue pingCaption(Run& run) {
    return run.window().get<ui::Toolbar>("工具条").buttonCaption(windows::kPing);
  }
  static bool isResult(const base::TextValue& text, int status) {
    return std::regex_match(text, std::regex(R"(\d+ 毫秒\(状态码:)" + std::to_string(status) + R"(\))"));
  }

  TestHttpServer server;
};

TEST_F(PingTest, ResultsFillTheCellsAndTheRecordsAndStayAfterThePageOpensAgain) {
  auto run = openList(rowsProbing({"/status/200", "/status/404", "/redirect/301"}));
  EXPECT_TRUE(run->clickToolbar(windows::kPing));
  ASSERT_EQ(run->shownMessages().size(), 1u);
  EXPECT_EQ(run->shownMessages()[0],
            "确定要执行PING字段的检测吗？这可能需要很久而且不能有其他操作，如果需要停止可以再次点击本按钮。");
  EXPECT_EQ(server.requests().size(), 3u);
  const int statuses[] = {200, 404, 301};
  for (int row = 1; row <= 3; ++row) EXPECT_TRUE(isResult(grid(*run).cell(row, kPingColumn), statuses[row - 1])) << row;
  EXPECT_EQ(pingCaption(*run), "开始PING");
  EXPECT_FALSE(run->state.ping.pingRunning);
  EXPECT_TRUE(run->tree().enabled());

  const base::TextValue first = grid(*run).cell(1, kPingColumn);
  run.reset();  // a restart
  auto next = start();
  EXPECT_TRUE(next->user.clickTreeItem(next->tree(), 0));
  EXPECT_EQ(grid(*next).cell(1, kPingColumn), first);
  for (int row = 1; row <= 3; ++row) EXPECT_TRUE(isResult(grid(*next).cell(row, kPingColumn), statuses[row - 1])) << row;
}

TEST_F(PingTest, CancelAtTheQuestionProbesNothing) {
  auto run = openList(rowsProbing({"/status/200"}));
  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Cancel);
  EXPECT_TRUE(run->clickToolbar(windows::kPing));
  EXPECT_TRUE(server.requests().empty());
  EXPECT_EQ(grid(*run).cell(1, kPingColumn), "");
}

TEST_F(PingTest, DuringARunOtherCommandsAreRefusedAndTheButtonStopsIt) {
  auto run = openList(rowsProbing(std::vector<std::string>(12, "/delay/300")));
  Run& r = *run;
  r.toolkit.postAtPump(1, [&r] {
    EXPECT_EQ(pingCaption(r), "停止PING");
    EXPECT_FALSE(r.tree().enabled());
    EXPECT_TRUE(r.clickToolbar(windows::kNewList));
    EXPECT_EQ(r.shownMessages().back(), "正在执行PING，不允许操作！");
    EXPECT_TRUE(r.clickToolbar(windows::kPing));  // "停止PING"
  });
  EXPECT_TRUE(r.clickToolbar(windows::kPing));
  // The five started before the stop finished and were applied; no sixth started.
  EXPECT_EQ(server.requests().size(), 5u);
  EXPECT_EQ(server.mostRequestsAtOnce(), 5);
  for (int row = 1; row <= 5; ++row) EXPECT_TRUE(isResult(grid(r).cell(row, kPingColumn), 200)) << row;
  EXPECT_EQ(grid(r).cell(6, kPingColumn), "");
  EXPECT_EQ(pingCaption(r), "开始PING");
  EXPECT_TRUE(r.tree().enabled());
  EXPECT_EQ(r.tree().itemCount(), 6);  // no list was made
}

// A PING run keeps the rows as they are: a click selects a row and fills the entry panel, a right
// click copies, the arrows move the selection. What would change the rows' order or content (a
// sort, 录入 and 修改 of the panel) says that it is refused.
TEST_F(PingTest, DuringARunClicksAndCopiesWorkAndWhatChangesTheRowsSaysItIsRefused) {
  auto run = openList(rowsProbing(std::vector<std::string>(8, "/delay/300")));
  Run& r = *run;
  EXPECT_TRUE(r.clickToolbar(windows::kAddRecord));
  windows::EntryPanel* panel = r.application.mainWindow()->entryPanel();
  ASSERT_NE(panel, nullptr);
  auto& data = r.window().get<ui::DrawingPanel>("画板数据");
  auto& header = r.window().get<ui::DrawingPanel>("画板表头");
  const int rowHeight = grid(r).rowHeight();
  r.toolkit.postAtPump(1, [&] {
    const ui::MouseEvent onRow3{5, 2 * rowHeight + 3, ui::kNoKeys, ui::MouseButton::Left};
    r.user.pressMouse(data, onRow3);
    r.user.releaseMouse(data, onRow3);
    EXPECT_EQ(grid(r).firstSelectedRow(), 3);
    EXPECT_EQ(panel->window().get<ui::EditBox>("编辑框复制").text(), "");  // the template stays empty
    const ui::MouseEvent right{5, 2 * rowHeight + 3, ui::kNoKeys, ui::MouseButton::Right};
    r.user.pressMouse(data, right);
    r.user.releaseMouse(data, right);
    EXPECT_EQ(r.toolkit.clipboardText(), grid(r).cell(3, 1));
    r.user.pressKey(header, ui::Key::Down);
    EXPECT_EQ(grid(r).firstSelectedRow(), 4);

    const std::size_t before = r.shownMessages().size();
    const ui::MouseEvent onTitle{5, 5, ui::kNoKeys, ui::MouseButton::Left};
    r.user.pressMouse(header, onTitle);
    r.user.releaseMouse(header, onTitle);
    r.user.click(*panel->window().control(windows::kAddRecordButton));
    EXPECT_EQ(r.shownMessages().size(), before + 2);
    EXPECT_EQ(r.shownMessages().back(), "正在执行PING，不允许操作！");
    EXPECT_TRUE(r.clickToolbar(windows::kPing));  // "停止PING"
  });
  EXPECT_TRUE(r.clickToolbar(windows::kPing));
  EXPECT_EQ(grid(r).cell(1, 1), "名0");  // not sorted
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  EXPECT_EQ(recorddb::recordCount(), 8);
}

TEST_F(PingTest, AFilteredPageProbesOnlyItsRows) {
  auto run = openList(rowsProbing({"/status/201", "/status/202", "/status/203", "/status/204"}));
  const std::vector<base::TextValue> texts = run->texts();
  const int second = static_cast<int>(std::find(texts.begin(), texts.end(), "名1") - texts.begin());
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), second));
  ASSERT_EQ(grid(*run).rowCount(), 2);
  EXPECT_TRUE(run->clickToolbar(windows::kPing));
  std::vector<std::string> requests = server.requests();
  std::sort(requests.begin(), requests.end());
  EXPECT_EQ(requests, (std::vector<std::string>{"GET /status/202", "GET /status/204"}));
}

TEST_F(PingTest, AListWithTheOldIntegerColumnShowsTheResultUntilThePageOpensAgain) {
  {
    storeForms({{"客户", kPingForm}});
    auto run = start();
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  }
  // The list's database as lists were made before: its PING column holds integers.
  ASSERT_EQ(platform::deleteFile(dataFile("客户.edb")), 0);
  ASSERT_TRUE(recorddb::createDatabase(dataFile("客户.edb"), {{"名称", recorddb::kTypeText, 20},
                                                               {"网址", recorddb::kTypeText, 100},
                                                               {"PING", 3, 10}}));
  auto run = start();
  appendRecords("客户", rowsProbing({"/status/200"}));
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  EXPECT_TRUE(run->clickToolbar(windows::kPing));
  EXPECT_TRUE(isResult(grid(*run).cell(1, kPingColumn), 200));
  EXPECT_TRUE(run->shownMessages().size() == 1);  // the refused write is not reported
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  EXPECT_FALSE(isResult(grid(*run).cell(1, kPingColumn), 200));
}

TEST_F(PingTest, ClosingTheWindowDuringARunCancelsTheProbesAndSavesWhatFinished) {
  auto run = openList(rowsProbing({"/status/200", "/silent", "/silent", "/silent"}));
  Run& r = *run;
  // The window closes once the first result is in and the silent probes wait.
  std::function<void()> closeWhenReady = [&] {
    if (isResult(grid(r).cell(1, kPingColumn), 200) && server.requests().size() == 4) {
      r.window().close();  // kept until the run has ended
    } else {
      r.toolkit.postAtPump(1, closeWhenReady);
    }
  };
  r.toolkit.postAtPump(1, closeWhenReady);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(r.clickToolbar(windows::kPing));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));  // not the probes' ten seconds
  EXPECT_FALSE(r.state.ping.pingRunning);
  EXPECT_TRUE(r.toolkit.openWindows().empty());
  run.reset();

  auto next = this->start();
  EXPECT_TRUE(next->user.clickTreeItem(next->tree(), 0));
  EXPECT_TRUE(isResult(grid(*next).cell(1, kPingColumn), 200));
  for (int row = 2; row <= 4; ++row) EXPECT_EQ(grid(*next).cell(row, kPingColumn), "") << row;
}

TEST_F(PingTest, TheTraysExitQuestionIsAskedDuringARunAndItsAnswerEndsTheRun) {
  auto run = openList(rowsProbing({"/status/200", "/silent", "/silent"}));
  Run& r = *run;
  std::function<void()> exitWhenReady = [&] {
    if (!isResult(grid(r).cell(1, kPingColumn), 200) || server.requests().size() < 3) {
      r.toolkit.postAtPump(1, exitWhenReady);
      return;
    }
    const std::size_t before = r.shownMessages().size();
    r.toolkit.clickTrayIcon(r.window(), ui::TrayEvent::RightClick);  // answered OK
    EXPECT_EQ(r.shownMessages().size(), before + 1);  // asked now, not after the run
  };
  r.toolkit.postAtPump(1, exitWhenReady);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(r.clickToolbar(windows::kPing));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  EXPECT_TRUE(r.toolkit.openWindows().empty());
  run.reset();
  auto next = this->start();
  EXPECT_TRUE(next->user.clickTreeItem(next->tree(), 0));
  EXPECT_TRUE(isResult(grid(*next).cell(1, kPingColumn), 200));
}

// A PING field probes the web address its linked field holds: a link's address (not the title the
// grid shows), a QQ link's chat address; an FTP link has none, and neither has a link without an
// address: their PING cells keep what they held.
TEST_F(PingTest, LinkFieldsAreProbedAtTheirAddressAndRowsWithoutOneAreLeftAsTheyWere) {
  storeForms({{"客户", "名称|10|20|0|真||网站|22|0|0|假||FTP|23|0|0|假||PING|25|30|2|假||FTP检测|25|30|3|假"}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  for (const base::TextValue& site : {"我的官网||" + server.address("/status/200"), base::TextValue("只有标题||")}) {
    ASSERT_TRUE(recorddb::appendRecord());
    ASSERT_TRUE(recorddb::writeField(2, recorddb::FieldValue::text(site)));
    ASSERT_TRUE(recorddb::writeField(3, recorddb::FieldValue::text("u||p||ftp.example.com")));
    ASSERT_TRUE(recorddb::writeField(4, recorddb::FieldValue::text("旧结果")));
    ASSERT_TRUE(recorddb::writeField(5, recorddb::FieldValue::text("旧结果")));
  }
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  EXPECT_EQ(grid(*run).cell(1, 2), "我的官网");
  EXPECT_TRUE(run->clickToolbar(windows::kPing));
  EXPECT_EQ(server.requests(), (std::vector<std::string>{"GET /status/200"}));
  EXPECT_TRUE(isResult(grid(*run).cell(1, 4), 200)) << grid(*run).cell(1, 4);
  for (const auto& [row, column] : std::vector<std::pair<int, int>>{{1, 5}, {2, 4}, {2, 5}}) {
    EXPECT_EQ(grid(*run).cell(row, column), "旧结果") << row << "/" << column;
  }
}

}  // namespace
}  // namespace app
