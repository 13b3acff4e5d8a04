#pragma once
// CellAction: what clicks on the grid's rows do beyond selecting them. A left release passes the
// first selected record to the entry panel and opens the target of a link, FTP link or QQ link cell
// (with Alt held, copies it); a right press copies the clicked cell, or with Alt the selected rows.

#include <functional>

#include "base/text_value.h"
#include "forms/form_definition.h"
#include "grid/record_grid.h"
#include "platform/shell.h"
#include "ui/control.h"
#include "ui/toolkit.h"

namespace links {

struct CellActionContext {
  ui::Toolkit& toolkit;  // clipboard, beep, key state, messages
  platform::Shell& shell;
  grid::RecordGrid& grid;
  ui::Control& header;                         // takes the focus on a press, as the grid's other panels do
  const forms::FormDefinition& currentListForm;  // column c shows field c
  base::TextValue chatHost;
  std::function<void()> showSelectedRecordInPanel;
};

// The message shown when a link cell's address is no web address; the address follows it.
inline constexpr char kNotOpenedMessage[] = "这个地址不是网页地址，为了安全没有打开，已复制到剪贴板：";

class CellAction {
 public:
  explicit CellAction(CellActionContext context) : context_(std::move(context)) {}

  void setChatHost(const base::TextValue& host) { context_.chatHost = host; }

  // The left button was released on the rows (the grid has handled the selection already).
  void leftReleased(const grid::CellEvent& event);
  // The right button was pressed on the rows.
  void rightPressed(const grid::CellEvent& event);

 private:
  void openTarget(std::int32_t kind, const std::vector<base::TextValue>& pieces);
  void openWebAddress(const base::TextValue& address);
  void copy(const base::TextValue& text);
  base::TextValue selectedRowsText() const;
  bool onCell(const grid::CellEvent& event) const;

  CellActionContext context_;
  // Set by a right press that selects the row under it; the release it runs opens nothing.
  bool suppressLinks_ = false;
};

}  // namespace links
