#pragma once
// Reading CSV text as spreadsheet programs write it: fields separated by ",", a quoted field may
// hold commas, line ends and doubled quotes, rows end with CRLF or LF. A UTF-8 byte-order mark
// at the start is skipped; empty lines are no rows.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

using CsvRow = std::vector<std::string>;

// The rows of `text`; nothing (and `error` set) when a quoted field is not closed or a closing
// quote is followed by something other than a separator or a line end.
std::optional<std::vector<CsvRow>> parseCsv(std::string_view text, std::string& error);

}  // namespace cli
