#include "bench/engine_side.h"

#include "platform/text_codec.h"
#include "recorddb/record_database.h"

namespace bench {
namespace {

constexpr char kAlias[] = "bench";

}  // namespace

EngineSide::EngineSide(const std::string& path) {
  std::vector<recorddb::FieldSpec> fields;
  for (const Column& column : sampleColumns()) fields.push_back({column.name, column.type, column.length});
  if (!recorddb::createDatabase(path, fields)) {
    fail("create");
    return;
  }
  open_ = recorddb::openDatabase(path, kAlias, false, recorddb::kShareDenyWrite);
  if (!open_) fail("open");
}

EngineSide::~EngineSide() {
  if (open_) recorddb::closeDatabase(kAlias);
}

std::nullopt_t EngineSide::fail(const char* step) {
  error_ = std::string(step) + ": error " + std::to_string(recorddb::lastError()) + " " +
           platform::gbkToUtf8(recorddb::lastErrorText());
  return std::nullopt;
}

bool appendSampleRecords(const std::vector<SampleRecord>& records) {
  for (const SampleRecord& record : records) {
    if (!recorddb::appendRecord()) return false;
    recorddb::RecordWriteScope change;
    for (int position = 1; position <= kColumnCount; ++position) {
      if (!recorddb::writeField(position, record[position - 1])) return false;
    }
    if (!change.commit()) return false;
  }
  return true;
}

std::optional<std::uint64_t> EngineSide::append(const std::vector<SampleRecord>& records) {
  if (!appendSampleRecords(records)) return fail("append");
  return 0;
}

std::optional<std::uint64_t> EngineSide::scan() {
  Digest digest;
  const int count = recorddb::recordCount();
  for (int number = 1; number <= count; ++number) {
    if (!recorddb::gotoRecord(number)) return fail("gotoRecord");
    const int id = recorddb::currentRecordId();
    if (recorddb::lastError() != recorddb::kDbOk) return fail("currentRecordId");
    digest.add(id);
    for (int position = 1; position <= kColumnCount; ++position) {
      recorddb::FieldValue value = recorddb::readField(position);
      if (recorddb::lastError() != recorddb::kDbOk) return fail("readField");
      digest.add(value);
    }
  }
  return digest.value();
}

std::optional<std::uint64_t> EngineSide::find(std::span<const int> ids, int position) {
  Digest digest;
  for (int id : ids) {
    if (!recorddb::gotoRecordId(id)) return fail("gotoRecordId");
    recorddb::FieldValue value = recorddb::readField(position);
    if (recorddb::lastError() != recorddb::kDbOk) return fail("readField");
    digest.add(value);
  }
  return digest.value();
}

std::optional<std::uint64_t> EngineSide::update(std::span<const int> ids, std::span<const std::int32_t> values) {
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (!recorddb::gotoRecordId(ids[i])) return fail("gotoRecordId");
    recorddb::RecordWriteScope change;
    if (!recorddb::writeField(kPingColumn, recorddb::FieldValue::text(pingText(values[i])))) return fail("writeField");
    if (!change.commit()) return fail("commit");
  }
  return 0;
}

std::optional<std::uint64_t> EngineSide::pack() {
  const int count = recorddb::recordCount();
  for (int number = 2; number <= count; number += 2) {
    if (!recorddb::gotoRecord(number) || !recorddb::deleteRecord()) return fail("deleteRecord");
  }
  if (!recorddb::packDatabase()) return fail("packDatabase");
  return static_cast<std::uint64_t>(recorddb::recordCount());
}

}  // namespace bench
