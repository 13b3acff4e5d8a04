#include "cli/db_session.h"

#include <algorithm>
#include <limits>

#include "base/text_value.h"
#include "cli/db_values.h"
#include "cli/text_encoding.h"
#include "cli/value_text.h"

namespace cli {
namespace {

// The alias under which a command opens its database.
constexpr char kAlias[] = "gebu_cli";

bool isAllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

DbSession::DbSession(std::string_view utf8Path, Purpose purpose) {
  const bool readOnly = purpose == Purpose::Read;
  const int share = readOnly ? recorddb::kShareDenyNone : recorddb::kShareDenyWrite;
  if (!recorddb::openDatabase(toPathText(utf8Path), kAlias, readOnly, share)) return;
  layout_ = recorddb::currentDatabaseLayout();
  if (!layout_) recorddb::closeDatabase(kAlias);
}

DbSession::~DbSession() {
  if (layout_) recorddb::closeDatabase(kAlias);
}

std::string engineErrorText() {
  return "error " + std::to_string(recorddb::lastError()) + ": " + toUtf8(recorddb::lastErrorText());
}

int engineFailure(CommandOutput& output) {
  output.err += engineErrorText() + "\n";
  return kFailure;
}

std::optional<int> fieldPosition(const recorddb::DatabaseLayout& layout, std::string_view utf8Designator) {
  const auto count = static_cast<std::int64_t>(layout.fields.size());
  if (isAllDigits(utf8Designator)) {
    std::optional<std::int64_t> position = parseWholeNumber(utf8Designator, 1, count);
    if (!position) return std::nullopt;
    return static_cast<int>(*position);
  }
  const base::TextValue name = toSystemText(utf8Designator);
  for (std::size_t i = 0; i < layout.fields.size(); ++i) {
    if (base::equalsTextIgnoreCase(layout.fields[i].name, name)) return static_cast<int>(i + 1);
  }
  return std::nullopt;
}

std::optional<std::vector<Assignment>> parseAssignments(std::span<const std::string> args,
                                                        const recorddb::DatabaseLayout& layout,
                                                        std::string& error) {
  std::vector<Assignment> assignments;
  for (const std::string& arg : args) {
    const std::size_t equals = arg.find('=');  // field names cannot hold "="
    if (equals == std::string::npos) {
      error = "not N=VALUE: " + arg;
      return std::nullopt;
    }
    std::optional<Assignment> assignment =
        parseAssignment(layout, std::string_view(arg).substr(0, equals), std::string_view(arg).substr(equals + 1), error);
    if (!assignment) return std::nullopt;
    assignments.push_back(std::move(*assignment));
  }
  return assignments;
}

std::optional<Assignment> parseAssignment(const recorddb::DatabaseLayout& layout, std::string_view designator,
                                          std::string_view valueText, std::string& error) {
  std::optional<int> position = fieldPosition(layout, designator);
  if (!position) {
    error = "no field " + std::string(designator);
    return std::nullopt;
  }
  const recorddb::FieldLayout& field = layout.fields[*position - 1];
  std::optional<recorddb::FieldValue> value = parseFieldValue(field.type, valueText);
  if (!value) {
    error = "field " + std::string(designator) + " takes " + expectedValueText(field.type) + ": " + std::string(valueText);
    return std::nullopt;
  }
  // The engine would keep only what fits: a text too long is refused, not cut.
  const std::size_t bytes = value->asText().size();
  if (field.type == recorddb::kTypeText && bytes > static_cast<std::size_t>(std::max(field.declaredLength, 0))) {
    error = "field " + std::string(designator) + " holds at most " + std::to_string(field.declaredLength) +
            " bytes, the value has " + std::to_string(bytes) + ": " + std::string(valueText);
    return std::nullopt;
  }
  return Assignment{*position, std::move(*value)};
}

bool writeAssignments(const std::vector<Assignment>& assignments) {
  recorddb::RecordWriteScope change;  // the record's fields as one change
  for (const Assignment& assignment : assignments) {
    if (!recorddb::writeField(assignment.position, assignment.value)) return false;
  }
  return change.commit();
}

std::optional<int> parseRecordId(std::string_view utf8) {
  std::optional<std::int64_t> id = parseWholeNumber(utf8, 1, std::numeric_limits<std::int32_t>::max());
  if (!id) return std::nullopt;
  return static_cast<int>(*id);
}

}  // namespace cli
