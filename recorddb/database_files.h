#pragma once
// Creating a database file pair, and opening one with every check and repair of its layout.

#include <cstdint>
#include <optional>
#include <vector>

#include "base/text_value.h"
#include "platform/file.h"
#include "recorddb/format.h"
#include "recorddb/record_database.h"

namespace recorddb {

// 0 or an error code.
int createDatabaseFiles(const base::TextValue& path, const std::vector<FieldSpec>& fields);

struct OpenedFiles {
  platform::File database;
  std::optional<platform::File> auxiliary;
  format::Header header;
  std::vector<format::FieldDescriptor> fields;  // with their widths
  std::int32_t dataStart = 0;
};

// `path` is the full database path (extension already added). 0 or an error code; on failure
// nothing stays open.
int openDatabaseFiles(const base::TextValue& path, bool readOnly, platform::ShareMode share,
                      OpenedFiles& opened);

}  // namespace recorddb
