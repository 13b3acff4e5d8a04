#pragma once
// Windows's table of share modes between two openers of one file, and a check that runs it: the
// tests of the disk's files and of the files in memory hold both to it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"

namespace platform_tests {

using platform::File;
using platform::FileAccess;
using platform::OpenMode;
using platform::ShareMode;

struct Opener {
  FileAccess access;
  ShareMode share;
};

inline const char* accessName(FileAccess access) {
  static const char* const names[] = {"Read", "Write", "ReadWrite"};
  return names[static_cast<int>(access)];
}

inline const char* shareName(ShareMode share) {
  static const char* const names[] = {"DenyNone", "DenyRead", "DenyWrite", "DenyAll"};
  return names[static_cast<int>(share)];
}

inline std::string describe(const Opener& first, const Opener& second) {
  return std::string(accessName(first.access)) + "/" + shareName(first.share) + " then " +
         accessName(second.access) + "/" + shareName(second.share);
}

// Every opener, in the order of the table's rows and columns.
inline std::vector<Opener> allOpeners() {
  std::vector<Opener> openers;
  for (FileAccess access : {FileAccess::Read, FileAccess::Write, FileAccess::ReadWrite}) {
    for (ShareMode share :
         {ShareMode::DenyNone, ShareMode::DenyRead, ShareMode::DenyWrite, ShareMode::DenyAll}) {
      openers.push_back({access, share});
    }
  }
  return openers;
}

// Windows's table: row = the opener holding the file, column = the second opener; "+" where the
// second open succeeds, "-" where it fails with a sharing violation. Columns are grouped by the
// second opener's access (Read, Write, ReadWrite), each with DenyNone, DenyRead, DenyWrite, DenyAll.
inline const char* const kWindowsShareTable[] = {
    "+-+- +-+- +-+-",  // Read      DenyNone
    "---- +-+- ----",  // Read      DenyRead
    "+-+- ---- ----",  // Read      DenyWrite
    "---- ---- ----",  // Read      DenyAll
    "++-- ++-- ++--",  // Write     DenyNone
    "---- ++-- ----",  // Write     DenyRead
    "++-- ---- ----",  // Write     DenyWrite
    "---- ---- ----",  // Write     DenyAll
    "+--- +--- +---",  // ReadWrite DenyNone
    "---- +--- ----",  // ReadWrite DenyRead
    "+--- ---- ----",  // ReadWrite DenyWrite
    "---- ---- ----",  // ReadWrite DenyAll
};

inline int expectedResult(std::size_t row, std::size_t column) {
  char cell = kWindowsShareTable[row][column + column / 4];  // skip the blanks between groups
  return cell == '+' ? platform::kFileOk : platform::kFileSharingViolation;
}

// Calls `secondOpen` for every pair of openers while the first holds the file, and compares.
template <typename SecondOpen>
void checkTable(const base::TextValue& path, SecondOpen secondOpen) {
  std::vector<Opener> openers = allOpeners();
  for (std::size_t row = 0; row < openers.size(); ++row) {
    File holder;
    ASSERT_EQ(holder.open(path, openers[row].access, openers[row].share, OpenMode::OpenExisting), 0);
    for (std::size_t column = 0; column < openers.size(); ++column) {
      EXPECT_EQ(secondOpen(openers[column]), expectedResult(row, column))
          << describe(openers[row], openers[column]);
    }
  }
}

}  // namespace platform_tests
