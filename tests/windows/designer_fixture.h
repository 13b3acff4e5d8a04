#pragma once
// The main window on the headless toolkit with a settings file in a scratch folder, and the ways a
// test reaches the form designer's controls.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "forms/field_text.h"
#include "forms/form_library.h"
#include "settings/settings_store.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/recording_shell.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/headless/headless_user.h"
#include "ui/list_controls.h"
#include "ui/simple_controls.h"
#include "ui/toolbar.h"
#include "windows/main_window.h"
#include "windows/main_window_layout.h"

namespace windows {

class DesignerFixture : public testing::Test {
 protected:
  // Stores `forms` (name, 5-attribute field text) as the library, then shows the main window.
  void start(const std::vector<std::pair<const char*, const char*>>& stored, int selectedIndex = 0) {
    ASSERT_TRUE(store.open(settingsPath()));
    for (const auto& [name, fieldText] : stored) {
      library.forms().push_back({name, forms::parseFieldSpecText(fieldText, forms::kLibraryAttributes)});
    }
    library.save(store, selectedIndex);
    mainWindow = std::make_unique<MainWindow>(
        MainWindowContext{toolkit, shell, store, library, ping, dir.path(), currentListForm, listSelection,
                          "砚川·格簿录入台", "", {}, {}});
    mainWindow->show();
  }

  ui::Window& openDesigner() {
    EXPECT_TRUE(user.clickToolbarButton(mainWindow->window().get<ui::Toolbar>("工具条"), kFormDesigner));
    EXPECT_NE(mainWindow->formDesigner(), nullptr);
    return mainWindow->formDesigner()->window();
  }
  ui::Window& designer() { return mainWindow->formDesigner()->window(); }
  template <typename Kind>
  Kind& in(const char* name) {
    return designer().get<Kind>(name);
  }
  ui::ListBox& formList() { return in<ui::ListBox>("列表框表单库"); }
  ui::ListBox& fieldList() { return in<ui::ListBox>("列表框字段列表"); }
  ui::EditBox& formName() { return in<ui::EditBox>("编辑框表单名称"); }
  ui::EditBox& fieldName() { return in<ui::EditBox>("编辑框字段名称"); }
  ui::EditBox& lengthBox() { return in<ui::EditBox>("编辑框字段长度"); }
  ui::ComboBox& kindList() { return in<ui::ComboBox>("组合框字段类型"); }
  ui::ComboBox& linkList() { return in<ui::ComboBox>("组合框关联字段"); }
  ui::CheckBox& keyBox() { return in<ui::CheckBox>("选择框关键"); }
  ui::ComboBox& selector() { return mainWindow->window().get<ui::ComboBox>("组合框表单"); }
  bool press(const char* button) { return user.click(*designer().control(button)); }

  // The library as another store reads it from the settings file.
  forms::FormLibrary storedLibrary() const {
    settings::SettingsStore fresh;
    fresh.load(settingsPath());
    forms::FormLibrary loaded;
    loaded.load(fresh);
    return loaded;
  }
  int storedIndex() const {
    settings::SettingsStore fresh;
    fresh.load(settingsPath());
    return forms::readSelectedFormIndex(fresh, -100);
  }
  base::TextValue settingsPath() const { return dir.file("设置.ini"); }
  const forms::FieldDefinition& workingField(int index) {
    return mainWindow->formDesigner()->state().fields.at(static_cast<std::size_t>(index));
  }

  testing_support::ScratchDir dir;
  settings::SettingsStore store;
  forms::FormLibrary library;
  testing_support::RecordingShell shell;
  checks::PingState ping;
  forms::FormDefinition currentListForm;
  lists::ListSelection listSelection;
  ui::headless::HeadlessToolkit toolkit;
  ui::headless::HeadlessUser user{toolkit};
  std::unique_ptr<MainWindow> mainWindow;
};

}  // namespace windows
