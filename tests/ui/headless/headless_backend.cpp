// The contract suite's backend: the headless toolkit, and its user behind the suite's actions.

#include "tests/ui/contract/user_actions.h"
#include "ui/headless/headless_control.h"
#include "ui/headless/headless_drawing_panel.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/headless/headless_user.h"
#include "ui/headless/headless_window.h"

namespace ui_contract {
namespace {

using namespace ui::headless;

class HeadlessActions : public UserActions {
 public:
  explicit HeadlessActions(HeadlessToolkit& toolkit) : toolkit_(toolkit), user_(toolkit) {}

  void focus(ui::Control& control) override { user_.focus(control); }
  void type(ui::EditBox& box, const base::TextValue& text) override { user_.type(box, text); }
  void typeOver(ui::EditBox& box, const base::TextValue& text) override { user_.typeOver(box, text); }
  void pressEnter(ui::EditBox& box) override { user_.pressEnter(box); }
  void pressKey(ui::Control& target, ui::Key key, int keys) override { user_.pressKey(target, key, keys); }
  void paste(ui::EditBox& box) override { user_.paste(box); }
  void click(ui::Control& control) override { user_.click(control); }
  void pick(ui::ItemList& list, int index) override { user_.pick(list, index); }
  void toggleCheck(ui::CheckedListBox& list, int index) override { user_.toggleCheck(list, index); }
  void pressMouse(ui::Control& control, const ui::MouseEvent& event) override { user_.pressMouse(control, event); }
  void releaseMouse(ui::Control& control, const ui::MouseEvent& event) override { user_.releaseMouse(control, event); }
  void moveMouse(ui::Control& control, const ui::MouseEvent& event) override { user_.moveMouse(control, event); }
  void clickToolbarButton(ui::Toolbar& toolbar, int index) override { user_.clickToolbarButton(toolbar, index); }
  void dragSplitter(ui::Splitter& splitter, int position) override { user_.dragSplitter(splitter, position); }
  void clickTreeItem(ui::TreeView& tree, int index) override { user_.clickTreeItem(tree, index); }
  LabelEdit editTreeLabel(ui::TreeView& tree, int index, const base::TextValue& text) override {
    return outcome(user_.editTreeLabel(tree, index, text));
  }
  LabelEdit endTreeLabelEdit(ui::TreeView& tree, int, const base::TextValue& text) override {
    return outcome(user_.endTreeLabelEdit(tree, text));
  }
  void closeWindow(ui::Window& window) override { user_.closeWindow(window); }
  void minimize(ui::Window& window) override { user_.minimize(window); }
  void turnWheel(ui::Window& window, int delta, ui::Point screen) override { user_.turnWheel(window, delta, screen); }

  void moveToScreenOfDpi(ui::Window& window, int dpi) override {
    dynamic_cast<ui::headless::HeadlessWindow&>(window).userMoveToScreenOfDpi(dpi);
  }
  ui::Rect deviceBounds(ui::Control& control) override {
    return dynamic_cast<ui::headless::HeadlessControlBase&>(control).deviceBounds();
  }
  int deviceFontPixels(ui::Control& control) override {
    return dynamic_cast<ui::headless::HeadlessControlBase&>(control).deviceFontPixels();
  }

  std::optional<ui::Color> pixelAt(ui::DrawingPanel& panel, ui::Point point) override {
    return dynamic_cast<HeadlessDrawingPanel&>(panel).recording().colorAt(point);
  }

  void answerNextMessageBox(ui::MessageAnswer answer) override { toolkit_.answerNextMessageBox(answer); }
  std::vector<ui::MessageBoxRequest> shownMessageBoxes() override {
    std::vector<ui::MessageBoxRequest> shown;
    for (const ShownMessageBox& box : toolkit_.messageBoxes()) shown.push_back(box.request);
    return shown;
  }
  int beepCount() override { return toolkit_.beepCount(); }

 private:
  static LabelEdit outcome(LabelEditResult result) {
    switch (result) {
      case LabelEditResult::Refused: return LabelEdit::Refused;
      case LabelEditResult::Rejected: return LabelEdit::Rejected;
      case LabelEditResult::Accepted: return LabelEdit::Accepted;
    }
    return LabelEdit::Refused;
  }

  HeadlessToolkit& toolkit_;
  HeadlessUser user_;
};

}  // namespace

std::unique_ptr<BackendUnderTest> makeBackendUnderTest() {
  auto backend = std::make_unique<BackendUnderTest>();
  auto toolkit = std::make_unique<HeadlessToolkit>();
  backend->user = std::make_unique<HeadlessActions>(*toolkit);
  backend->toolkit = std::move(toolkit);
  return backend;
}

}  // namespace ui_contract
