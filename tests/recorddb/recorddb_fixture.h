#pragma once
// Shared set-up of the engine tests: a scratch folder, a clean registry, and program errors that
// throw instead of ending the test program.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/file.h"
#include "recorddb/record_database.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scratch_dir.h"
#include "ui/message_box.h"

namespace recorddb {

struct ProgramError : std::runtime_error {
  explicit ProgramError(const std::string& message) : std::runtime_error(message) {}
};

class RecordDbTest : public testing::Test {
 protected:
  void SetUp() override {
    closeAllDatabases();
    setProgramErrorHandler([this](const base::TextValue& message) {
      messages.show(ui::programErrorReport(message));
      throw ProgramError(message);
    });
  }
  void TearDown() override {
    closeAllDatabases();
    setProgramErrorHandler({});
  }

  base::TextValue path(const base::TextValue& name) const { return dir.file(name); }

  std::string fileBytes(const base::TextValue& name) const {
    std::string bytes;
    EXPECT_EQ(platform::readWholeFile(path(name), bytes), platform::kFileOk) << name;
    return bytes;
  }
  void putFileBytes(const base::TextValue& name, const std::string& bytes) const {
    ASSERT_EQ(platform::writeWholeFile(path(name), bytes), platform::kFileOk) << name;
  }

  testing_support::ScratchDir dir;
  testing_support::RecordingMessages messages;  // program error reports
};

}  // namespace recorddb
