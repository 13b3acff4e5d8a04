#pragma once
// The base of every contract case: a fresh backend, windows made from small layouts, and a log of
// the events raised.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/ui/contract/user_actions.h"

namespace ui_contract {

ui::LayoutEntry entry(const base::TextValue& name, ui::ControlKind kind, ui::Rect bounds,
                      const base::TextValue& caption = {}, const base::TextValue& parent = {}, bool visible = true);

class ContractTest : public ::testing::Test {
 protected:
  ContractTest();
  ~ContractTest() override;

  // A window with these controls, shown (onCreated and onResized have run) unless `show` is false.
  ui::Window& openWindow(const std::vector<ui::LayoutEntry>& controls, bool show = true, ui::Window* owner = nullptr,
                         ui::Rect bounds = {100, 80, 640, 480});

  template <typename Kind>
  Kind& control(ui::Window& window, const base::TextValue& name) {
    ui::Control* found = window.control(name);
    EXPECT_NE(found, nullptr) << name;
    return dynamic_cast<Kind&>(*found);
  }

  // A handler that appends `name` to the log.
  std::function<void()> logs(const std::string& name) {
    return [this, name] { log.push_back(name); };
  }
  int logged(const std::string& name) const;

  std::unique_ptr<BackendUnderTest> backend;
  ui::Toolkit& kit;
  UserActions& user;
  std::vector<std::string> log;

 private:
  std::vector<std::unique_ptr<ui::Window>> windows_;  // destroyed before the backend
};

}  // namespace ui_contract
