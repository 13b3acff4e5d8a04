// A settings file written by the store reads back through the Windows profile functions.

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/text_codec.h"
#include "settings/settings_store.h"
#include "tests/support/scratch_dir.h"

namespace settings {
namespace {

std::string profileString(const std::string& file, const char* section, const char* key) {
  char buffer[256] = {};
  GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof buffer, file.c_str());
  return buffer;
}

TEST(ProfileApi, ReadsWhatTheStoreWrote) {
  testing_support::ScratchDir dir;
  const base::TextValue path = dir.file("profile.ini");  // an ASCII path, for the A function
  {
    SettingsStore store;
    ASSERT_TRUE(store.open(path));
    store.selectSection("Main");
    store.writeText("Alpha", "one");
    store.writeNumber("Width", 1192);
    store.writeText("Alpha", "first");
    store.selectSection("Other");
    store.writeText("Beta", "two words");
    store.writeLogical("Flag", true);
    store.selectSection("Main");
    store.writeText("Gamma", "3");
  }
  EXPECT_EQ(profileString(path, "Main", "Alpha"), "first");
  EXPECT_EQ(profileString(path, "Main", "Width"), "1192");
  EXPECT_EQ(profileString(path, "Main", "Gamma"), "3");
  EXPECT_EQ(profileString(path, "Other", "Beta"), "two words");
  EXPECT_EQ(profileString(path, "Other", "Flag"), "\xD5\xE6");  // 真 in GBK
  EXPECT_EQ(profileString(path, "Other", "Alpha"), "<missing>");
}

}  // namespace
}  // namespace settings
