#include "windows/main_window.h"

#include <algorithm>
#include <cmath>

#include "links/safe_target.h"
#include "settings/control_state.h"
#include "ui/list_controls.h"
#include "ui/panels.h"
#include "ui/simple_controls.h"
#include "ui/tree_view.h"
#include "ui/toolbar.h"
#include "windows/images/images.h"
#include "windows/forms_selector.h"
#include "windows/main_window_layout.h"
#include "windows/main_window_settings.h"
#include "windows/window_bounds.h"

namespace windows {
namespace {

constexpr std::size_t kTrayTipBytes = 62;
constexpr int kWheelRows = 2;
constexpr char kPingRefused[] = "正在执行PING，不允许操作！";
constexpr char kChooseAListFirst[] = "请先在左侧选中一个列表再录入！";

}  // namespace

MainWindow::MainWindow(MainWindowContext context)
    : context_(std::move(context)), window_(context_.toolkit.createWindow(mainWindowLayout(), nullptr)) {
  std::vector<const ui::Picture*> images;
  for (int i = 0; i < images::kToolbarImageCount; ++i) {
    toolbarImages_.push_back(context_.toolkit.loadPicture(std::string(images::toolbarImage(i))));
    images.push_back(toolbarImages_.back().get());
  }
  window_->get<ui::Toolbar>("工具条").setButtons(mainToolbarButtons(), images);
  auto& tree = window_->get<ui::TreeView>("树型框");
  std::vector<const ui::Picture*> itemImages;
  for (int i = 0; i < images::kTreeImageCount; ++i) {
    treeImages_.push_back(context_.toolkit.loadPicture(std::string(images::treeImage(i))));
    itemImages.push_back(treeImages_.back().get());
  }
  tree.setImages(itemImages);
  // Tab goes from the tree to the grid (its header panel holds the focus for it, as after a press
  // on the grid), then to the find text, the find button and its option.
  ui::Window& w = *window_;
  w.setTabOrder({w.control("组合框表单"), w.control("树型框"), w.control("画板表头"), w.control("编辑框查找内容"),
                 w.control("按钮查找"), w.control("选择框查树")});
  lists_ = std::make_unique<lists::ListWorkspace>(lists::ListWorkspaceContext{
      context_.settings, context_.toolkit, tree, context_.runDirectory, context_.currentListForm,
      context_.listSelection});
  // Events that start work go through the event gate: none of them runs inside a page fill, a
  // sort or another wait. A newer selection ends a page that is filling.
  ui::EventGate& gate = context_.toolkit.eventGate();
  tree.onSelectionChanged = gate.guard(ui::WhenBusy::StopFirst, [this] { onTreeSelectionChanged(); });
  tree.onLabelEditStart = [this, &gate](int index) { return !gate.busy() && lists_->canEditLabel(index); };
  tree.onLabelEditEnd = [this, &tree, &gate](int index, const base::TextValue& text) {
    return !gate.busy() && lists_->renameList(tree.item(index).text, text);
  };
  window_->onCreated = [this] { onCreated(); };
  window_->onResized = [this] { layout(); };
  window_->onQueryClose = [this] { return onQueryClose(); };
  window_->onMouseWheel = [this](int delta, ui::Point screen) { onMouseWheel(delta, screen); };
  window_->get<ui::Toolbar>("工具条").onButtonClick = [this](int index) { onToolbarClick(index); };
  find_ = gate.guard(ui::WhenBusy::Refuse, [this] { find(); });
  window_->control("按钮查找")->onClick = find_;
  window_->get<ui::EditBox>("编辑框查找内容").onEnter = find_;
  window_->onKeyPress = [this](const ui::KeyPress& press) { return onKeyPress(press); };
  window_->get<ui::ComboBox>("组合框表单").onSelectionChanged =
      gate.guard(ui::WhenBusy::RunAfter, [this] { onFormSelectorChanged(); });
  window_->get<ui::Splitter>("分隔条").onMoved =
      gate.guard<int>(ui::WhenBusy::RunAfter, [this](int position) { onSplitterMoved(position); });
}

bool MainWindow::onQueryClose() {
  ui::EventGate& gate = context_.toolkit.eventGate();
  if (gate.busy()) {
    // Closing inside running work would pull the window from under it: the work ends first.
    gate.run(ui::WhenBusy::StopFirst, window_.get(), [this] { window_->close(); });
    return false;
  }
  if (context_.onClosing) context_.onClosing();
  return true;
}

void MainWindow::onToolbarClick(int index) {
  // During a PING run every button answers at once: the refusal, or the stop of the run.
  if (context_.ping.pingRunning) {
    onToolbarButton(index);
    return;
  }
  // A command while a page fills or a sort runs is refused, with a beep so the press is not lost
  // without a sign.
  const bool ran = context_.toolkit.eventGate().run(ui::WhenBusy::Refuse, this, [this, index] { onToolbarButton(index); });
  if (!ran) context_.toolkit.beep();
}

MainWindow::~MainWindow() {
  entryPanel_.reset();  // owned by this window: they go first
  designer_.reset();
  grid_.detach();
  if (trayIcon_) context_.toolkit.removeTrayIcon(*window_);
}

void MainWindow::show() {
  context_.toolkit.show(*window_);
  if (restoreMaximized_) window_->maximize();
}

void MainWindow::saveWindowBounds() {
  context_.settings.selectSection(kMainSection);
  writeWindowBounds(context_.settings, kMainWindowBoundsKey, *window_, RememberedParts::PositionAndSize);
  if (EntryPanel* panel = entryPanel()) rememberPanelPosition(panel->window());
}

void MainWindow::rememberPanelPosition(const ui::Window& panel) {
  context_.settings.selectSection(kMainSection);
  writeWindowBounds(context_.settings, kEntryPanelBoundsKey, panel, RememberedParts::Position);
}

void MainWindow::restoreWindowBounds(ui::Window& window, const base::TextValue& key, RememberedParts parts) {
  context_.settings.selectSection(kMainSection);
  const std::optional<RememberedBounds> remembered =
      readWindowBounds(context_.settings, key, window.bounds(), parts);
  if (!remembered) return;
  window.setBounds(placeOnScreens(remembered->bounds, context_.toolkit.screenAreas()));
  if (parts == RememberedParts::PositionAndSize) restoreMaximized_ = remembered->maximized;
}

void MainWindow::layout() {
  ui::Window& w = *window_;
  const ui::Size client = w.clientSize();
  ui::Control& toolbar = *w.control("工具条");
  ui::Control& selector = *w.control("组合框表单");
  ui::Control& findBar = *w.control("图片框查找");
  ui::Control& tree = *w.control("树型框");
  ui::Control& splitter = *w.control("分隔条");
  ui::Control& container = *w.control("画板容器");
  ui::Control& statusBar = *w.control(kStatusBar);

  // The status line takes the bottom; the tree, the splitter and the grid end above it.
  constexpr int kStatusTextInset = 4;
  const int bottom = std::max(client.height - kStatusBarHeight, 0);
  statusBar.setBounds({kStatusTextInset, bottom + 2, std::max(client.width - 2 * kStatusTextInset, 0),
                       kStatusBarHeight - 4});
  toolbar.setBounds({0, 0, client.width, toolbar.bounds().height});
  const int belowToolbar = toolbar.bounds().top + toolbar.bounds().height;
  const ui::Rect split = splitter.bounds();
  const int rightOfSplitter = split.left + split.width;
  selector.setBounds({0, belowToolbar, split.left, selector.bounds().height});
  findBar.setBounds({rightOfSplitter, belowToolbar, client.width - rightOfSplitter, findBar.bounds().height});
  const int treeTop = belowToolbar + selector.bounds().height;
  tree.setBounds({0, treeTop, split.left, bottom - treeTop});
  const int findHeight = findBar.visible() ? findBar.bounds().height : 0;
  const ui::Rect gridArea{rightOfSplitter, belowToolbar + findHeight, client.width - rightOfSplitter,
                          bottom - belowToolbar - findHeight};
  if (grid_.attached()) {
    grid_.setBounds(gridArea.left, gridArea.top, gridArea.width, gridArea.height);
  } else {
    container.setBounds(gridArea);
  }
  const int selectorTop = selector.bounds().top;
  splitter.setBounds({split.left, selectorTop, split.width, bottom - selectorTop});
}

void MainWindow::onSplitterMoved(int position) {
  ui::Control& splitter = *window_->control("分隔条");
  splitter.move(position, splitter.bounds().top);
  layout();
  context_.settings.selectSection(kMainSection);
  context_.settings.writeNumber(kSplitterPositionKey, splitter.bounds().left);
}

void MainWindow::onCreated() {
  settings::SettingsStore& store = context_.settings;
  ui::Window& w = *window_;
  restoreWindowBounds(w, kMainWindowBoundsKey, RememberedParts::PositionAndSize);
  auto& toolbar = w.get<ui::Toolbar>("工具条");
  ui::Control& splitter = *w.control("分隔条");

  store.selectSection(kMainSection);
  const double position = store.readNumber(kSplitterPositionKey, splitter.bounds().left);
  if (std::isfinite(position) && std::fabs(position) < 1e6) {
    splitter.move(static_cast<int>(std::lround(position)), splitter.bounds().top);
  }
  if (store.readLogical(kShowFindBarKey, false)) {
    toolbar.setChecked(kFindRecords, true);
    w.control("图片框查找")->setVisible(true);
  }
  if (store.readLogical(kAutoColumnWidthKey, true)) toolbar.setChecked(kAutoColumnWidth, true);

  settings::ControlStateRequest request;
  request.window = &w;
  request.restore = true;
  request.section = kMainSection;
  settings::saveOrRestoreControls(store, request);

  context_.listSelection.openListItem = lists::kNoListOpenYet;
  auto& selector = w.get<ui::ComboBox>("组合框表单");
  refillFormSelector(forms::readSelectedFormIndex(store, 0), true);
  if (selector.currentIndex() < 0) selector.setCurrentIndex(0);

  attachGrid();
  lists_->loadTree();
  store.selectSection(kMainSection);
  const double remembered = store.readNumber(kTreeIndexKey, 0);
  auto& tree = w.get<ui::TreeView>("树型框");
  if (std::isfinite(remembered) && std::fabs(remembered) < 1e9) {
    tree.setCurrentItem(static_cast<int>(std::lround(remembered)));
  }
  if (tree.currentItem() < 0) openListPage();

  layout();
  // At the tree's real height: the remembered item is to be seen.
  if (tree.currentItem() >= 0) tree.ensureVisible(tree.currentItem());
  trayIcon_ = context_.toolkit.loadPicture(context_.trayIconBytes);
  if (trayIcon_) {
    context_.toolkit.addTrayIcon(w, *trayIcon_, base::cutToBytes(context_.productTitle, kTrayTipBytes),
                                 context_.onTrayEvent);
  }
}

void MainWindow::refillFormSelector(int index, bool select) {
  windows::refillFormSelector(window_->get<ui::ComboBox>("组合框表单"), context_.formLibrary, index, select);
}

void MainWindow::openFormDesigner() {
  if (FormDesigner* open = formDesigner()) {
    open->window().activate();
    return;
  }
  designer_.reset();
  designer_ = std::make_unique<FormDesigner>(FormDesignerContext{
      context_.toolkit, context_.settings, context_.formLibrary, window_.get(),
      [this](int index, bool select) { refillFormSelector(index, select); }});
  designer_->show();
}

void MainWindow::openEntryPanel() {
  if (EntryPanel* open = entryPanel()) {
    open->window().activate();
    return;
  }
  entryPanel_.reset();
  entryPanel_ = std::make_unique<EntryPanel>(EntryPanelContext{
      context_.toolkit, *window_, context_.currentListForm, grid_, *lists_, context_.listSelection,
      window_->get<ui::TreeView>("树型框"),
      [this](const RecordRowRequest& request) {
        showRecordRow(request);
        if (request.refreshedRow) {
          showPageStatus();
        } else {
          revealAddedRecord(request.recordNumber);
        }
      },
      [this] { return refusedDuringPing(); }, [this](const ui::Window& panel) { rememberPanelPosition(panel); }});
  restoreWindowBounds(entryPanel_->window(), kEntryPanelBoundsKey, RememberedParts::Position);
  entryPanel_->show();
}

void MainWindow::onFormSelectorChanged() {
  auto& selector = window_->get<ui::ComboBox>("组合框表单");
  if (isDesignerItemCurrent(selector)) {
    openFormDesigner();
    return;
  }
  forms::writeSelectedFormIndex(context_.settings, selector.currentIndex());
}

bool MainWindow::refusedDuringPing() {
  if (!context_.ping.pingRunning) return false;
  ui::MessageBoxRequest refusal;
  refusal.text = kPingRefused;
  context_.toolkit.show(refusal);
  return true;
}

void MainWindow::onToolbarButton(int index) {
  if (index != kPing && refusedDuringPing()) return;
  switch (index) {
    case kNewList:
      createListFromSelectedForm();
      break;
    case kFindRecords:
      toggleFindBar();
      break;
    case kAddRecord:
      if (context_.currentListForm.name.empty()) {
        showWarning(kChooseAListFirst);
      } else {
        openEntryPanel();
      }
      break;
    case kDeleteList:
      deleteSelectedList();
      break;
    case kRemoveRecords:
      removeSelectedRecords();
      break;
    case kSelectAllRecords:
      grid_.selectAll();
      break;
    case kFormDesigner:
      openFormDesigner();
      break;
    case kAutoColumnWidth:
      toggleAutoColumnWidth();
      break;
    case kPing:
      onPingButton();
      break;
    default:
      break;
  }
}

void MainWindow::setEventInterval(int intervalMs) {
  eventIntervalMs_ = intervalMs;
  grid_.setEventGate(&context_.toolkit.eventGate(), intervalMs);
}

void MainWindow::attachGrid() {
  ui::Window& w = *window_;
  auto& data = w.get<ui::DrawingPanel>("画板数据");
  gridTips_ = std::make_unique<grid::TooltipGridTips>(context_.toolkit, data);
  grid_.setForm(&context_.currentListForm);
  grid_.setTips(gridTips_.get());
  setEventInterval(eventIntervalMs_);
  grid::AttachOptions options;
  options.imageWidth = 24;
  options.imageHeight = 24;
  options.autoScrollBars = true;
  options.selectionMode = grid::SelectionMode::Multiple;
  grid_.attach({w.get<ui::DrawingPanel>("画板表头"), data, *w.control("画板容器"), w.get<ui::DrawingPanel>("画板横滚"),
                w.get<ui::DrawingPanel>("画板纵滚")},
               options);
  grid_.onColumnResized = [this](int column, int width) {
    auto& fields = context_.currentListForm.fields;
    if (column >= 1 && column <= static_cast<int>(fields.size())) fields[static_cast<std::size_t>(column - 1)].columnWidth = width;
  };
  grid_.onHeaderReleased = [this] { lists_->saveListState(false); };
  connectGridPresses();
  // Moves and left releases over the window itself (a drag that left the grid) reach the grid too.
  window_->onMouseMove = [this](const ui::MouseEvent& event) {
    const ui::Point at = toDataPanel(event.x, event.y);
    grid_.onDataMouseMove(at.x, at.y, ui::kNoKeys);
  };
  window_->onMouseUp = [this](const ui::MouseEvent& event) {
    if (event.button != ui::MouseButton::Left) return;
    const ui::Point at = toDataPanel(event.x, event.y);
    grid_.onDataMouseUp(at.x, at.y, event.keys);
  };
  layout();
}

ui::Point MainWindow::toDataPanel(int x, int y) const {
  const ui::Rect container = window_->control("画板容器")->bounds();
  const ui::Rect data = window_->control("画板数据")->bounds();
  return {x - container.left - data.left, y - container.top - data.top};
}

void MainWindow::connectGridPresses() {
  ui::Control& header = *window_->control("画板表头");
  for (const char* name : {"画板表头", "画板数据", "画板横滚", "画板纵滚"}) {
    ui::Control& panel = *window_->control(name);
    auto gridHandler = panel.onMouseDown;
    const bool isHeader = &panel == &header;
    panel.onMouseDown = [this, &header, gridHandler, isHeader](const ui::MouseEvent& event) {
      const bool left = event.button == ui::MouseButton::Left;
      if (left) header.focus();
      if (gridHandler) gridHandler(event);
      if (left && isHeader && !grid_.isOnColumnBorder()) {
        // A sort would change the order of the rows a PING run walks: it says so instead.
        if (refusedDuringPing()) return;
        context_.toolkit.eventGate().run(ui::WhenBusy::Refuse, &header, [this, x = event.x] { sortByHeader(x); });
      }
    };
  }
  const base::TextValue host = chatHost();
  grid_.setChatHost(host);
  cellAction_ = std::make_unique<links::CellAction>(links::CellActionContext{
      context_.toolkit, context_.shell, grid_, header, context_.currentListForm, host,
      [this] { showSelectedRecordInPanel(); }});
  // Clicks and copies change no row: a PING run lets them run beside it; a page fill or a sort does not.
  ui::EventGate& gate = context_.toolkit.eventGate();
  grid_.onCellReleased = gate.guard<grid::CellEvent>(
      ui::WhenBusy::RunBeside, [this](const grid::CellEvent& event) { cellAction_->leftReleased(event); });
  grid_.onCellRightPressed = gate.guard<grid::CellEvent>(
      ui::WhenBusy::RunBeside, [this](const grid::CellEvent& event) { cellAction_->rightPressed(event); });
}

base::TextValue MainWindow::chatHost() {
  context_.settings.selectSection(kMainSection);
  const base::TextValue host = context_.settings.readText(kChatHostKey, grid::kDefaultChatHost);
  return links::isHostName(host) ? host : base::TextValue(grid::kDefaultChatHost);
}

void MainWindow::sortByHeader(int x) {
  if (grid_.isOnColumnBorder()) return;
  const int column = grid_.columnAt(x);
  if (column < 1) return;
  const std::int32_t kind = forms::fieldKindOf(context_.currentListForm, column);
  sortAscending_ = !sortAscending_;
  const base::TextValue title = grid_.columnTitle(column);
  grid_.setColumnTitle(column, title + ">>");
  grid_.sortByColumn(column, sortAscending_, static_cast<int>(forms::fieldKindInfo(kind).sortKind));
  grid_.setColumnTitle(column, title);
}

void MainWindow::applyColumnWidthMode() {
  if (window_->get<ui::Toolbar>("工具条").isChecked(kAutoColumnWidth)) {
    grid_.autoFitColumns();
  } else {
    grid_.scrollColumns();
  }
}

void MainWindow::toggleAutoColumnWidth() {
  auto& toolbar = window_->get<ui::Toolbar>("工具条");
  const bool checked = !toolbar.isChecked(kAutoColumnWidth);
  toolbar.setChecked(kAutoColumnWidth, checked);
  if (checked) applyColumnWidthMode();
  context_.settings.selectSection(kMainSection);
  context_.settings.writeLogical(kAutoColumnWidthKey, checked);
}

void MainWindow::onMouseWheel(int delta, ui::Point screen) {
  const ui::Rect area = window_->bounds();
  const bool inside = area.left < screen.x && screen.x < area.right() && area.top < screen.y && screen.y < area.bottom();
  // Only the direction counts: a turn of less than a notch (fine wheels, touchpads) scrolls too.
  if (inside) grid_.wheel(delta > 0 ? kWheelRows : -kWheelRows);
}

}  // namespace windows
