// The main window's PING command: the question, the run over the rows of the page with the tree
// disabled and the button captioned "停止PING", and each result shown in its cell and written into
// its record, on this (the UI) thread.

#include "checks/ping_run.h"
#include "forms/composite_value.h"
#include "grid/link_target.h"
#include "lists/field_display_text.h"
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
constexpr char kNoThread[] = "系统不能再开始新的检测线程，PING 在此停止；没有检测的行保持原样。";

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
                             [this] { return context_.toolkit.eventGate().letEventsRun(ui::Beside::Allowed); }};
  const checks::PingEnd end = checks::runPing(run);
  tree.setEnabled(true);
  context_.ping.pingRunning = false;
  applyColumnWidthMode();
  if (end == checks::PingEnd::NoThread) showWarning(kNoThread);
}

checks::PingJob MainWindow::pingJob(int row) {
  checks::PingJob job{row, grid_.row(row).recordId, {}};
  const forms::FormDefinition& form = context_.currentListForm;
  const bool recordRead = lists_->openListDatabase(form.name) && recorddb::gotoRecordId(job.recordId);
  for (std::size_t i = 0; i < form.fields.size(); ++i) {
    if (form.fields[i].kind != static_cast<std::int32_t>(forms::FieldKind::Ping)) continue;
    const int link = form.fields[i].link;
    const base::TextValue address = recordRead ? pingAddress(link) : base::TextValue();
    // A row whose linked value has no web address keeps its PING cell as it was.
    if (!address.empty()) job.probes.push_back({static_cast<int>(i) + 1, address});
  }
  return job;
}

base::TextValue MainWindow::pingAddress(int field) {
  if (field < 1 || field > recorddb::fieldCount()) return {};
  const std::int32_t kind = forms::fieldKindOf(context_.currentListForm, field);
  const recorddb::FieldValue value = recorddb::readField(field);
  switch (static_cast<forms::FieldKind>(kind)) {
    case forms::FieldKind::Link: return forms::compositePieces(lists::valueText(value), 2)[1];
    case forms::FieldKind::QqLink: {
      const base::TextValue number = forms::compositePieces(lists::valueText(value), 2)[1];
      return number.empty() ? number : grid::chatAddress(grid_.chatHost(), number);
    }
    case forms::FieldKind::FtpLink: return {};  // no web address
    default: return lists::displayText(value, kind);
  }
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
