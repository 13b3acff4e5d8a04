#pragma once
// What a database holds, read through the engine as one text, so that tests compare the records
// before and after a change (and a failure shows which record differs).

#include <gtest/gtest.h>

#include <string>

#include "recorddb/record_database.h"

namespace recorddb {

inline std::string describeValue(const FieldValue& value) {
  switch (value.kind()) {
    case ValueKind::Text:
    case ValueKind::Bytes: {
      const std::string& text = value.asText();
      std::size_t sum = 0;
      for (unsigned char byte : text) sum = sum * 31 + byte;
      return "\"" + text.substr(0, 12) + "\"#" + std::to_string(text.size()) + "/" + std::to_string(sum % 100000);
    }
    case ValueKind::Empty:
      return "-";
    default:
      return std::to_string(value.asReal());
  }
}

// Every record of the current database, slot by slot: "ID: value | value …" per line, a delete-marked
// record with its ID negated. A read failure ends the text with its error code.
inline std::string describeRecords() {
  std::string text;
  const int count = recordCount();
  if (lastError() != kDbOk) return "count failed " + std::to_string(lastError());
  const int fields = fieldCount();
  for (int number = 1; number <= count; ++number) {
    if (!gotoRecord(number)) return text + "goto failed " + std::to_string(lastError());
    const int id = currentRecordId();
    if (lastError() != kDbOk) return text + "id failed " + std::to_string(lastError());
    text += std::to_string(currentRecordDeleted() ? -id : id) + ":";
    for (int field = 1; field <= fields; ++field) {
      const FieldValue value = readField(field);
      if (lastError() != kDbOk) return text + " read failed " + std::to_string(lastError());
      text += " " + describeValue(value);
    }
    text += "\n";
  }
  return text;
}

// describeRecords of the database at `path`, opened on its own (and closed again).
inline std::string describeDatabase(const base::TextValue& path, int shareMode = kShareDenyWrite) {
  if (!openDatabase(path, "", false, shareMode)) return "open failed " + std::to_string(lastError());
  std::string text = describeRecords();
  closeDatabase();
  return text;
}

}  // namespace recorddb
