#include "ui/win32/win32_tree_view.h"

#include <algorithm>
#include <utility>

#include "ui/win32/win32_picture.h"

namespace ui::win32 {

namespace {

constexpr int kImageSize = 16;

HTREEITEM next(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// Every item in pre-order, walked without recursion (however deep the tree).
void collect(HWND tree, std::vector<HTREEITEM>& order) {
  HTREEITEM item = next(tree, nullptr, TVGN_ROOT);
  while (item != nullptr) {
    order.push_back(item);
    if (HTREEITEM child = next(tree, item, TVGN_CHILD)) {
      item = child;
      continue;
    }
    // Up to the nearest item with a next sibling.
    while (item != nullptr) {
      if (HTREEITEM sibling = next(tree, item, TVGN_NEXT)) {
        item = sibling;
        break;
      }
      item = next(tree, item, TVGN_PARENT);
    }
  }
}

}  // namespace

Win32TreeView::Win32TreeView(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry) {
  create(WC_TREEVIEWW, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS | WS_TABSTOP,
         WS_EX_CLIENTEDGE);
}

const std::vector<HTREEITEM>& Win32TreeView::order() const {
  if (!orderKnown_) {
    order_.clear();
    collect(hwnd(), order_);
    positions_.clear();
    positions_.reserve(order_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) positions_.emplace(order_[i], static_cast<int>(i));
    orderKnown_ = true;
  }
  return order_;
}

HTREEITEM Win32TreeView::handleOf(int index) const {
  const auto& items = order();
  return index >= 0 && index < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(index)] : nullptr;
}

int Win32TreeView::indexOf(HTREEITEM item) const {
  if (item == nullptr) return -1;
  (void)order();
  const auto found = positions_.find(item);
  return found == positions_.end() ? -1 : found->second;
}

int Win32TreeView::addItem(int parent, const TreeItem& item) {
  const std::wstring text = wideText(item.text);
  TVINSERTSTRUCTW insert{};
  HTREEITEM parentHandle = handleOf(parent);
  insert.hParent = parentHandle != nullptr ? parentHandle : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
  insert.item.pszText = const_cast<wchar_t*>(text.c_str());
  insert.item.iImage = item.image;
  insert.item.iSelectedImage = item.selectedImage;
  insert.item.lParam = item.data;
  insert.item.stateMask = TVIS_BOLD | TVIS_EXPANDED;
  insert.item.state = (item.bold ? TVIS_BOLD : 0) | (item.expanded ? TVIS_EXPANDED : 0);
  // Whether the new item lands at the end of the pre-order: a top-level item does, and so does a
  // child of the last item or of one of its ancestors. Then the known order only grows by it.
  bool appendsToOrder = false;
  if (orderKnown_) {
    appendsToOrder = parentHandle == nullptr || order_.empty();
    for (HTREEITEM item = order_.empty() ? nullptr : order_.back(); item != nullptr && !appendsToOrder;
         item = next(hwnd(), item, TVGN_PARENT)) {
      appendsToOrder = item == parentHandle;
    }
  }
  auto* made = reinterpret_cast<HTREEITEM>(send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  if (made != nullptr) texts_[made] = item.text;
  if (made != nullptr && appendsToOrder) {
    positions_.emplace(made, static_cast<int>(order_.size()));
    order_.push_back(made);
  } else {
    orderKnown_ = false;
  }
  // A parent shown expanded opens once it has children.
  if (parentHandle != nullptr && (send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(parentHandle), TVIS_EXPANDED) & TVIS_EXPANDED)) {
    send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parentHandle));
  }
  return made != nullptr && appendsToOrder ? static_cast<int>(order_.size()) - 1 : indexOf(made);
}

void Win32TreeView::removeItem(int index) {
  HTREEITEM handle = handleOf(index);
  if (handle == nullptr) return;
  // Is the current item this one or below it?
  bool currentGoes = false;
  for (HTREEITEM at = next(hwnd(), nullptr, TVGN_CARET); at != nullptr; at = next(hwnd(), at, TVGN_PARENT)) {
    if (at == handle) currentGoes = true;
  }
  {
    Quiet quiet(*this);
    if (currentGoes) send(TVM_SELECTITEM, TVGN_CARET, 0);
    send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(handle));
    orderKnown_ = false;
  }
  if (currentGoes) raiseSelectionChanged();
}

void Win32TreeView::clear() {
  const bool hadCurrent = currentItem() >= 0;
  {
    Quiet quiet(*this);
    send(TVM_SELECTITEM, TVGN_CARET, 0);
    send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    orderKnown_ = false;
    texts_.clear();
  }
  if (hadCurrent) raiseSelectionChanged();
}

TreeItem Win32TreeView::item(int index) const {
  TreeItem result;
  HTREEITEM handle = handleOf(index);
  if (handle == nullptr) return result;
  wchar_t text[1024] = {};
  TVITEMW query{};
  query.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
  query.hItem = handle;
  query.pszText = text;
  query.cchTextMax = static_cast<int>(std::size(text));
  query.stateMask = TVIS_BOLD | TVIS_EXPANDED;
  ::SendMessageW(hwnd(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
  const std::wstring shown = query.pszText != nullptr ? std::wstring(query.pszText) : std::wstring();
  const auto given = texts_.find(handle);
  result.text = given != texts_.end() ? keptText(shown, given->second) : gbkText(shown);
  result.image = query.iImage;
  result.selectedImage = query.iSelectedImage;
  result.data = static_cast<std::int32_t>(query.lParam);
  result.bold = (query.state & TVIS_BOLD) != 0;
  result.expanded = (query.state & TVIS_EXPANDED) != 0;
  return result;
}

void Win32TreeView::write(HTREEITEM handle, const TreeItem& item) {
  texts_[handle] = item.text;
  const std::wstring text = wideText(item.text);
  TVITEMW change{};
  change.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
  change.hItem = handle;
  change.pszText = const_cast<wchar_t*>(text.c_str());
  change.iImage = item.image;
  change.iSelectedImage = item.selectedImage;
  change.lParam = item.data;
  change.stateMask = TVIS_BOLD;
  change.state = item.bold ? TVIS_BOLD : 0;
  send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

void Win32TreeView::setItem(int index, const TreeItem& item) {
  HTREEITEM handle = handleOf(index);
  if (handle == nullptr) return;
  Quiet quiet(*this);
  write(handle, item);
  const bool expanded = (send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(handle), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
  if (expanded != item.expanded) {
    if (next(hwnd(), handle, TVGN_CHILD) != nullptr) {
      send(TVM_EXPAND, item.expanded ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(handle));
    } else {
      // No children yet: the state alone is kept.
      TVITEMW state{};
      state.mask = TVIF_HANDLE | TVIF_STATE;
      state.hItem = handle;
      state.stateMask = TVIS_EXPANDED;
      state.state = item.expanded ? TVIS_EXPANDED : 0;
      send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&state));
    }
  }
}

int Win32TreeView::parentOf(int index) const {
  HTREEITEM handle = handleOf(index);
  return handle == nullptr ? -1 : indexOf(next(hwnd(), handle, TVGN_PARENT));
}

int Win32TreeView::currentItem() const { return indexOf(next(hwnd(), nullptr, TVGN_CARET)); }

void Win32TreeView::setCurrentItem(int index) {
  HTREEITEM handle = handleOf(index);
  if (handle == next(hwnd(), nullptr, TVGN_CARET)) return;
  {
    Quiet quiet(*this);
    send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(handle));
  }
  raiseSelectionChanged();
}

void Win32TreeView::setImages(const std::vector<const Picture*>& images) {
  pictures_ = images;
  OwnedImageList list = makeImageList(images, scale().toDevice(Size{kImageSize, kImageSize}));
  send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list.get()));
  images_ = std::move(list);
}

void Win32TreeView::applyScale() {
  Win32Control::applyScale();
  if (!pictures_.empty()) setImages(pictures_);
}

bool Win32TreeView::editLabel(int index) {
  HTREEITEM handle = handleOf(index);
  if (handle == nullptr) return false;
  // The tree edits a label only while it has the focus; the start is asked (TVN_BEGINLABELEDITW)
  // before the message returns, and a refused one gives no edit box.
  ::SetFocus(hwnd());
  return send(TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(handle)) != 0;
}

void Win32TreeView::ensureVisible(int index) {
  if (HTREEITEM handle = handleOf(index)) send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(handle));
}

LRESULT Win32TreeView::customDraw(NMTVCUSTOMDRAW& draw) const {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  // With the focus elsewhere the tree would draw its selection in the face colour, next to
  // invisible on a white tree: which list is open is to be seen at all times.
  const bool selected = (draw.nmcd.uItemState & CDIS_SELECTED) != 0;
  if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && selected && ::GetFocus() != hwnd()) {
    draw.clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    draw.clrTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
  }
  return CDRF_DODEFAULT;
}

bool Win32TreeView::handleNotify(NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case NM_CUSTOMDRAW:
      result = customDraw(reinterpret_cast<NMTVCUSTOMDRAW&>(header));
      return true;
    case TVN_SELCHANGEDW:
      if (!quiet()) raiseSelectionChanged();
      result = 0;
      return true;
    case TVN_BEGINLABELEDITW: {
      const auto& edit = reinterpret_cast<NMTVDISPINFOW&>(header);
      editingLabel_ = allowLabelEdit(indexOf(edit.item.hItem));
      result = editingLabel_ ? FALSE : TRUE;  // TRUE cancels
      return true;
    }
    case TVN_ENDLABELEDITW: {
      const auto& edit = reinterpret_cast<NMTVDISPINFOW&>(header);
      const bool ending = std::exchange(editingLabel_, false);
      if (!ending || edit.item.pszText == nullptr) {
        result = FALSE;  // cancelled by the user
      } else {
        result = acceptLabel(indexOf(edit.item.hItem), gbkText(edit.item.pszText)) ? TRUE : FALSE;
      }
      return true;
    }
    default: return false;
  }
}

}  // namespace ui::win32
