#pragma once
// A fresh empty folder for one test, removed with everything in it when the object goes.

#include "base/text_value.h"

namespace testing_support {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // The folder's path (GBK).
  const base::TextValue& path() const { return path_; }
  // path() joined with `name` (GBK).
  base::TextValue file(const base::TextValue& name) const;

 private:
  base::TextValue path_;
};

}  // namespace testing_support
