#include "cli/csv_reader.h"

#include "cli/csv_writer.h"

namespace cli {
namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

class CsvParser {
 public:
  explicit CsvParser(std::string_view text) : text_(text) {
    if (text_.starts_with(kUtf8ByteOrderMark)) at_ = kUtf8ByteOrderMark.size();
  }

  std::optional<std::vector<CsvRow>> rows(std::string& error) {
    std::vector<CsvRow> rows;
    while (at_ < text_.size()) {
      if (isLineEnd(text_[at_])) {  // an empty line
        ++at_;
        continue;
      }
      CsvRow row;
      while (true) {
        std::optional<std::string> field = nextField(error);
        if (!field) return std::nullopt;
        row.push_back(std::move(*field));
        const bool separator = at_ < text_.size() && text_[at_] == ',';
        if (at_ < text_.size()) ++at_;  // the separator or the line end
        if (!separator) break;
      }
      rows.push_back(std::move(row));
    }
    return rows;
  }

 private:
  // The field at the reading position, which is left on the separator or line end after it.
  std::optional<std::string> nextField(std::string& error) {
    std::string field;
    if (at_ < text_.size() && text_[at_] == '"') {
      const std::size_t opened = at_++;
      while (true) {
        if (at_ >= text_.size()) {
          error = "a quoted field from byte " + std::to_string(opened) + " is not closed";
          return std::nullopt;
        }
        const char c = text_[at_++];
        if (c != '"') {
          field += c;
        } else if (at_ < text_.size() && text_[at_] == '"') {
          field += '"';
          ++at_;
        } else {
          break;
        }
      }
      if (at_ < text_.size() && text_[at_] != ',' && !isLineEnd(text_[at_])) {
        error = "text after a closing quote at byte " + std::to_string(at_);
        return std::nullopt;
      }
    } else {
      while (at_ < text_.size() && text_[at_] != ',' && !isLineEnd(text_[at_])) field += text_[at_++];
    }
    // A CRLF ends the row as one line end.
    if (at_ + 1 < text_.size() && text_[at_] == '\r' && text_[at_ + 1] == '\n') ++at_;
    return field;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

std::optional<std::vector<CsvRow>> parseCsv(std::string_view text, std::string& error) {
  return CsvParser(text).rows(error);
}

}  // namespace cli
