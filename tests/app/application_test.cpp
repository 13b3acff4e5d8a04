// Start-up, the tray icon and the save step, on the headless toolkit.

#include "app/application.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "forms/form_library.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "recorddb/record_database.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/recording_shell.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/headless/headless_user.h"
#include "ui/panels.h"
#include "ui/simple_controls.h"
#include "ui/toolbar.h"

namespace app {
namespace {

class ApplicationTest : public testing::Test {
 protected:
  // One run of the program: start-up on the scratch folder.
  struct Run {
    explicit Run(const base::TextValue& folder) : application(state, toolkit, shell, folder) {}
    AppState state;
    ui::headless::HeadlessToolkit toolkit;
    ui::headless::HeadlessUser user{toolkit};
    testing_support::RecordingShell shell;
    Application application;
    ui::Window& window() { return application.mainWindow()->window(); }
  };

  std::unique_ptr<Run> start() {
    auto run = std::make_unique<Run>(dir.path());
    EXPECT_TRUE(run->application.startup());
    return run;
  }

  std::string settingsFile() const {
    std::string bytes;
    EXPECT_EQ(platform::readWholeFile(dir.file("砚川·格簿录入台.ini"), bytes), platform::kFileOk);
    return bytes;
  }

  testing_support::ScratchDir dir;
};

TEST_F(ApplicationTest, AFirstRunSeedsTheSampleFormOnce) {
  auto first = start();
  EXPECT_EQ(settingsFile(), std::string("[表单库]\r\n1_字段=") + forms::kSampleFieldText +
                                "\r\n1_名称=示例表单\r\n数量=1");
  ASSERT_EQ(first->state.formLibrary.forms().size(), 1u);
  EXPECT_EQ(first->state.productTitle, "砚川·格簿录入台");
  first.reset();

  auto second = start();
  EXPECT_EQ(second->state.formLibrary.forms().size(), 1u);
  EXPECT_EQ(settingsFile().find("数量=1"), settingsFile().rfind("数量=1"));  // not written twice
}

TEST_F(ApplicationTest, ALibraryWithoutTheSampleIsNotSeededAgain) {
  {
    settings::SettingsStore store;
    ASSERT_TRUE(store.open(dir.file("砚川·格簿录入台.ini")));
    store.selectSection("表单库");
    store.writeNumber("数量", 1);
    store.writeText("1_名称", "我的表单");
  }
  auto run = start();
  ASSERT_EQ(run->state.formLibrary.forms().size(), 1u);
  EXPECT_EQ(run->state.formLibrary.forms()[0].name, "我的表单");
}

TEST_F(ApplicationTest, TheTrayIconTogglesTheWindowAndAsksBeforeExiting) {
  auto run = start();
  ui::Window& window = run->window();
  ASSERT_NE(run->toolkit.trayIcon(window), nullptr);
  EXPECT_EQ(run->toolkit.trayIcon(window)->tooltip, "砚川·格簿录入台");
  EXPECT_TRUE(window.visible());
  run->toolkit.clickTrayIcon(window, ui::TrayEvent::LeftClick);
  EXPECT_FALSE(window.visible());
  run->toolkit.clickTrayIcon(window, ui::TrayEvent::LeftClick);
  EXPECT_TRUE(window.visible());
  EXPECT_FALSE(window.topmost());
  run->toolkit.clickTrayIcon(window, ui::TrayEvent::DoubleClick);
  EXPECT_TRUE(window.visible());

  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Cancel);
  run->toolkit.clickTrayIcon(window, ui::TrayEvent::RightClick);
  ASSERT_EQ(run->toolkit.messageBoxes().size(), 1u);
  const auto& question = run->toolkit.messageBoxes()[0].request;
  EXPECT_EQ(question.text, "确定要退出本软件《砚川·格簿录入台》吗？");
  EXPECT_EQ(question.caption, "信息：");
  EXPECT_EQ(question.buttons, ui::MessageButtons::OkCancel);
  EXPECT_EQ(question.modality, ui::MessageModality::Task);
  EXPECT_EQ(run->toolkit.openWindows().size(), 1u);
  EXPECT_EQ(settingsFile().find("[主界面]"), std::string::npos);

  window.get<ui::EditBox>("编辑框查找内容").setText("要找的");
  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Ok);
  run->toolkit.clickTrayIcon(window, ui::TrayEvent::RightClick);
  EXPECT_TRUE(run->toolkit.openWindows().empty());
  const std::string saved = settingsFile();
  EXPECT_NE(saved.find("编辑框查找内容=要找的"), std::string::npos);
  EXPECT_NE(saved.find("树型框.索引=-1"), std::string::npos);
  EXPECT_EQ(saved.find("树型框.索引"), saved.rfind("树型框.索引"));  // saved once, not again on close
}

TEST_F(ApplicationTest, ClosingTheWindowSavesControlStatesForTheNextRun) {
  auto run = start();
  ui::Window& window = run->window();
  window.get<ui::EditBox>("编辑框查找内容").setText("下次还在");
  window.get<ui::CheckBox>("选择框查树").setChecked(true);
  EXPECT_TRUE(run->user.closeWindow(window));
  run.reset();

  auto next = start();
  EXPECT_EQ(next->window().get<ui::EditBox>("编辑框查找内容").text(), "下次还在");
  EXPECT_TRUE(next->window().get<ui::CheckBox>("选择框查树").checked());
}

TEST_F(ApplicationTest, TheSplitterAndTheToolbarStateSurviveARestart) {
  auto run = start();
  auto& toolbar = run->window().get<ui::Toolbar>("工具条");
  EXPECT_TRUE(toolbar.isChecked(10));  // automatic column widths by default
  EXPECT_FALSE(toolbar.isChecked(2));
  EXPECT_FALSE(run->window().control("图片框查找")->visible());
  EXPECT_TRUE(run->user.dragSplitter(run->window().get<ui::Splitter>("分隔条"), 250));
  EXPECT_EQ(run->window().control("分隔条")->bounds().left, 250);
  EXPECT_EQ(run->window().control("树型框")->bounds().width, 250);
  run.reset();
  {
    settings::SettingsStore store;
    ASSERT_TRUE(store.open(dir.file("砚川·格簿录入台.ini")));
    store.selectSection("主界面");
    store.writeLogical("显示查找框", true);
    store.writeLogical("自动列宽", false);
  }
  auto next = start();
  auto& restored = next->window().get<ui::Toolbar>("工具条");
  EXPECT_EQ(next->window().control("分隔条")->bounds().left, 250);
  EXPECT_TRUE(restored.isChecked(2));
  EXPECT_FALSE(restored.isChecked(10));
  EXPECT_TRUE(next->window().control("图片框查找")->visible());
}

// A caller error inside the record database (a field read with no database current) shows the
// runtime error report, then the program ends.
TEST_F(ApplicationTest, AProgramErrorIsReportedBeforeTheProgramEnds) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  EXPECT_EXIT(
      {
        auto run = start();
        run->toolkit.whileMessageBoxShown = [](const ui::MessageBoxRequest& shown) {
          const ui::MessageBoxRequest report = ui::programErrorReport("未指定当前数据库或者指定数据库未打开");
          std::fprintf(stderr, "%s\n", shown.text == report.text && shown.caption == report.caption ? "reported" : "other");
        };
        recorddb::closeAllDatabases();
        (void)recorddb::readField(1);
      },
      testing::ExitedWithCode(1), "reported");
}

}  // namespace
}  // namespace app
