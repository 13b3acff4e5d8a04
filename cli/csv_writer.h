#pragma once
// CSV text as spreadsheet programs read it: fields separated by ",", a field holding a comma, a
// quote, a CR or an LF put in quotes with its quotes doubled, rows ended by CRLF.

#include <string>
#include <string_view>
#include <vector>

namespace cli {

// The byte-order mark that tells spreadsheet programs the text is UTF-8.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string csvField(std::string_view text);
// The fields of one row with its line end; a row of one empty field is written as "" (an empty
// line would read as no row).
std::string csvRow(const std::vector<std::string>& fields);

}  // namespace cli
