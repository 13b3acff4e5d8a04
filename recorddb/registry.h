#pragma once
// The process-wide registry of open databases, in order of opening, with the current one.

#include <memory>
#include <vector>

#include "base/text_value.h"
#include "recorddb/open_database.h"

namespace recorddb {

class DatabaseRegistry {
 public:
  static DatabaseRegistry& instance();

  OpenDatabase* current();
  int currentIndex() const { return current_; }
  void add(std::unique_ptr<OpenDatabase> database);
  // By alias, then by file title, then by full path, each from the newest; -1 when none.
  int find(const base::TextValue& name) const;
  int findByPath(const base::TextValue& fullPath) const;
  // The open database with that serial (OpenDatabase::serial), or null.
  OpenDatabase* findBySerial(std::uint64_t serial) const;
  void makeCurrent(int index) { current_ = index; }
  void close(int index);
  void closeAll();

 private:
  std::vector<std::unique_ptr<OpenDatabase>> databases_;
  int current_ = -1;
  std::uint64_t lastSerial_ = 0;
};

}  // namespace recorddb
