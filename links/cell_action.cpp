#include "links/cell_action.h"

#include <string_view>

#include "forms/composite_value.h"
#include "forms/field_kind.h"
#include "grid/link_target.h"
#include "links/safe_target.h"

namespace links {
namespace {

constexpr std::size_t kMessageAddressCap = 300;  // characters of the address shown in the message
constexpr std::string_view kCellSeparator = ",";
constexpr std::string_view kRowSeparator = "\r\n";

bool isLinkKind(std::int32_t kind) {
  const auto k = static_cast<forms::FieldKind>(kind);
  return k == forms::FieldKind::Link || k == forms::FieldKind::FtpLink || k == forms::FieldKind::QqLink;
}

}  // namespace

bool CellAction::onCell(const grid::CellEvent& event) const {
  const grid::RecordGrid& grid = context_.grid;
  return event.column >= 1 && event.column <= grid.columnCount() && event.row >= 1 && event.row <= grid.rowCount();
}

void CellAction::leftReleased(const grid::CellEvent& event) {
  if (context_.showSelectedRecordInPanel) context_.showSelectedRecordInPanel();
  if (suppressLinks_) {
    suppressLinks_ = false;
    return;
  }
  if (!onCell(event)) return;
  const std::int32_t kind = forms::fieldKindOf(context_.currentListForm, event.column);
  if (!isLinkKind(kind)) return;
  const base::TextValue stored = context_.grid.storedValue(event.row, event.column);
  if (ui::isKeyHeld(context_.toolkit, ui::kAlt)) {
    // The whole target, password included: the user asked for it.
    copy(grid::linkTarget(kind, stored, {context_.chatHost, grid::Password::Shown}));
    return;
  }
  openTarget(kind, forms::compositePieces(stored, 3));
}

void CellAction::rightPressed(const grid::CellEvent& event) {
  grid::RecordGrid& grid = context_.grid;
  if (grid.selection().size() < 2) {
    // The row under the pointer becomes the selection and fills the panel, as a left click would,
    // without opening anything.
    suppressLinks_ = true;
    context_.header.focus();
    grid.onDataMouseDown(event.at.x, event.at.y);
    grid.onDataMouseUp(event.at.x, event.at.y, event.keys);
    leftReleased(event);
  }
  if (event.keys == ui::kAlt) {
    copy(selectedRowsText());
  } else if (onCell(event)) {
    copy(grid.cell(event.row, event.column));
  }
}

void CellAction::openTarget(std::int32_t kind, const std::vector<base::TextValue>& pieces) {
  switch (static_cast<forms::FieldKind>(kind)) {
    case forms::FieldKind::FtpLink:
      // Only ever an FTP address, whatever the pieces hold: the file manager starts no program.
      if (const auto target = ftpAddressToOpen(pieces[0], pieces[1], pieces[2])) context_.shell.openInFileManager(*target);
      break;
    case forms::FieldKind::QqLink:
      if (!pieces[1].empty()) openWebAddress(grid::chatAddress(context_.chatHost, pieces[1]));
      break;
    case forms::FieldKind::Link:
      if (!pieces[1].empty()) openWebAddress(pieces[1]);
      break;
    default: break;
  }
}

void CellAction::openWebAddress(const base::TextValue& address) {
  if (const auto web = webAddressToOpen(address)) {
    context_.shell.openWebAddress(*web);
    return;
  }
  // A local path, another scheme or a program name is never handed to the shell.
  context_.toolkit.setClipboardText(address);
  ui::MessageBoxRequest request;
  request.text = kNotOpenedMessage + base::cutToCharacters(address, kMessageAddressCap);
  context_.toolkit.show(request);
}

void CellAction::copy(const base::TextValue& text) {
  context_.toolkit.setClipboardText(text);
  context_.toolkit.beep();
}

base::TextValue CellAction::selectedRowsText() const {
  const grid::RecordGrid& grid = context_.grid;
  base::TextValue text;
  bool firstRow = true;
  for (const std::int32_t row : grid.selection()) {
    if (!firstRow) text += kRowSeparator;
    firstRow = false;
    for (int column = 1; column <= grid.columnCount(); ++column) {
      if (column > 1) text += kCellSeparator;
      text += grid.cell(row, column);
    }
  }
  return text;
}

}  // namespace links
