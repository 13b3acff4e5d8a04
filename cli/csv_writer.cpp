#include "cli/csv_writer.h"

namespace cli {

std::string csvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string csvRow(const std::vector<std::string>& fields) {
  // A lone empty field in quotes: an empty line is no row to a reader.
  if (fields.size() == 1 && fields[0].empty()) return "\"\"\r\n";
  std::string row;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) row += ',';
    row += csvField(fields[i]);
  }
  return row + "\r\n";
}

}  // namespace cli
