// CSV rows as the program writes them read back as the same rows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/csv_reader.h"
#include "cli/csv_writer.h"

namespace cli {
namespace {

std::vector<CsvRow> writtenAndReadBack(const std::vector<CsvRow>& rows) {
  std::string text(kUtf8ByteOrderMark);
  for (const CsvRow& row : rows) text += csvRow(row);
  std::string error;
  const std::optional<std::vector<CsvRow>> read = parseCsv(text, error);
  EXPECT_TRUE(read.has_value()) << error;
  return read.value_or(std::vector<CsvRow>{});
}

TEST(CsvTest, RowsWrittenReadBackTheSame) {
  const std::vector<CsvRow> rows = {
      {"名称", "备注"},
      {"a,b", "说\"好\""},
      {"第一行\r\n第二行", "\r"},
      {"", ""},
      {""},  // one empty cell: a one-column list's empty value
      {"\xEF\xBB\xBF" "mark", ""},
  };
  EXPECT_EQ(writtenAndReadBack(rows), rows);
  EXPECT_EQ(writtenAndReadBack({{""}, {""}}), (std::vector<CsvRow>{{""}, {""}}));
}

}  // namespace
}  // namespace cli
