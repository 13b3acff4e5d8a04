// The main window's PING command: the question, the run over the rows of the page with the tree
// disabled and the button captioned "停止PING", and each result shown in its cell and written into
// its record, on this (the UI) thread.

#include "checks/ping_run.h"
#include "recorddb/record_database.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"
#include "windows/main_window.h"
#include "windows/main_window_layout.h"

namespace windows {
namespace {

constexpr char kPingQuestion[] =
    "确定要执行PING字段的检测吗？这可能需要很久而且不能有其他操作，如果需要停止可以再次点击本按钮。";
constexpr char kStartPingCaption[] = "开始PING";
constexpr char kStopPingCaption[] = "停止PING";

}  // namespace

void MainWindow::onPingButton() {
  checks::PingState& ping = context_.ping;
  if (ping.pingRunning) {
    ping.pingStop = true;  // the running driver starts no further worker
    return;
  }
  ui::MessageBoxRequest question;
  question.text = kPingQuestion;
  question.buttons = ui::MessageButtons::OkCancel;
  if (context_.toolkit.show(question) != ui::MessageAnswer::Ok) return;
  ping.pingStop = false;
  ping.pingRunning = true;
  auto& toolbar = window_->get<ui::Toolbar>("工具条");
  toolbar.setButtonCaption(kPing, kStopPingCaption);
  runPing();
  toolbar.setButtonCaption(kPing, kStartPingCaption);
}

void MainWindow::runPing() {
  auto& tree = window_->get<ui::TreeView>("树型框");
  tree.setEnabled(false);
  checks::PingRunContext run{context_.ping, grid_.rowCount(), [this](int row) { return pingJob(row); },
                             [this](const checks::PingResult& result) { applyPingResult(result); },
                             [this] { return context_.toolkit.eventGate().letEventsRun(); }};
  (void)checks::runPing(run);
  tree.setEnabled(true);
  context_.ping.pingRunning = false;
  applyColumnWidthMode();
}

checks::PingJob MainWindow::pingJob(int row) const {
  checks::PingJob job{row, grid_.row(row).recordId, {}};
  const std::vector<forms::FieldDefinition>& fields = context_.currentListForm.fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].kind != static_cast<std::int32_t>(forms::FieldKind::Ping)) continue;
    // The address is the text the row shows in the linked field's column (none for no link).
    job.probes.push_back({static_cast<int>(i) + 1, grid_.cell(row, fields[i].link)});
  }
  return job;
}

void MainWindow::applyPingResult(const checks::PingResult& result) {
  // The row shows the result unless it holds another record by now.
  if (grid_.row(result.row).recordId == result.recordId) grid_.setCell(result.row, result.field, result.text);
  // A list made before PING columns held text refuses it: its cell shows the result until the page
  // is opened again. A failed write is not reported either way.
  if (lists_->openListDatabase(context_.currentListForm.name) && recorddb::gotoRecordId(result.recordId)) {
    recorddb::RecordWriteScope change;
    (void)recorddb::writeField(result.field, recorddb::FieldValue::text(result.text));
    (void)change.commit();
  }
}

}  // namespace windows
