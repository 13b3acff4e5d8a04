#include "recorddb/registry.h"

#include "platform/paths.h"
#include "recorddb/db_paths.h"

namespace recorddb {

DatabaseRegistry& DatabaseRegistry::instance() {
  static DatabaseRegistry registry;
  return registry;
}

OpenDatabase* DatabaseRegistry::current() {
  if (current_ < 0 || current_ >= static_cast<int>(databases_.size())) return nullptr;
  return databases_[static_cast<std::size_t>(current_)].get();
}

void DatabaseRegistry::add(std::unique_ptr<OpenDatabase> database) {
  database->setSerial(++lastSerial_);
  databases_.push_back(std::move(database));
  current_ = static_cast<int>(databases_.size()) - 1;
}

int DatabaseRegistry::find(const base::TextValue& name) const {
  if (name.empty()) return -1;
  using Key = const base::TextValue& (OpenDatabase::*)() const;
  for (Key key : {static_cast<Key>(&OpenDatabase::alias), static_cast<Key>(&OpenDatabase::fileTitle),
                  static_cast<Key>(&OpenDatabase::fullPath)}) {
    for (int i = static_cast<int>(databases_.size()) - 1; i >= 0; --i) {
      const base::TextValue& candidate = (databases_[static_cast<std::size_t>(i)].get()->*key)();
      if (!candidate.empty() && equalsIgnoringCase(candidate, name)) return i;
    }
  }
  return -1;
}

int DatabaseRegistry::findByPath(const base::TextValue& fullPath) const {
  for (int i = 0; i < static_cast<int>(databases_.size()); ++i) {
    if (platform::samePath(databases_[static_cast<std::size_t>(i)]->fullPath(), fullPath)) return i;
  }
  return -1;
}

OpenDatabase* DatabaseRegistry::findBySerial(std::uint64_t serial) const {
  for (const auto& database : databases_) {
    if (database->serial() == serial) return database.get();
  }
  return nullptr;
}

void DatabaseRegistry::close(int index) {
  databases_.erase(databases_.begin() + index);
  if (index == current_) {
    current_ = -1;
  } else if (index < current_) {
    --current_;
  }
}

void DatabaseRegistry::closeAll() {
  databases_.clear();
  current_ = -1;
}

}  // namespace recorddb
