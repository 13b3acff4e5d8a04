#include "tests/ui/contract/contract_fixture.h"

#include <algorithm>

namespace ui_contract {

ui::LayoutEntry entry(const base::TextValue& name, ui::ControlKind kind, ui::Rect bounds, const base::TextValue& caption,
                      const base::TextValue& parent, bool visible) {
  ui::LayoutEntry made;
  made.name = name;
  made.kind = kind;
  made.bounds = bounds;
  made.caption = caption;
  made.parent = parent;
  made.visible = visible;
  return made;
}

ContractTest::ContractTest() : backend(makeBackendUnderTest()), kit(*backend->toolkit), user(*backend->user) {}

ContractTest::~ContractTest() { windows_.clear(); }

ui::Window& ContractTest::openWindow(const std::vector<ui::LayoutEntry>& controls, bool show, ui::Window* owner,
                                     ui::Rect bounds) {
  ui::WindowLayout layout;
  layout.name = "窗口" + std::to_string(windows_.size() + 1);
  layout.title = "测试窗口";
  layout.bounds = bounds;
  layout.controls = controls;
  windows_.push_back(kit.createWindow(layout, owner));
  ui::Window& window = *windows_.back();
  if (show) kit.show(window);
  return window;
}

int ContractTest::logged(const std::string& name) const {
  return static_cast<int>(std::count(log.begin(), log.end(), name));
}

}  // namespace ui_contract
