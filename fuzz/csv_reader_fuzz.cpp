// CSV text from any bytes: parsing ends in rows or an error, never in a crash; rows that parse are
// written again as the program exports them (a byte-order mark, then each row) and that text
// parses back to the same rows.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/csv_reader.h"
#include "cli/csv_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string error;
  const std::optional<std::vector<cli::CsvRow>> rows = cli::parseCsv(input, error);
  if (!rows) {
    if (error.empty()) std::abort();
    return 0;
  }
  std::string text(cli::kUtf8ByteOrderMark);
  for (const cli::CsvRow& row : *rows) text += cli::csvRow(row);
  const std::optional<std::vector<cli::CsvRow>> again = cli::parseCsv(text, error);
  if (!again || *again != *rows) {
    std::fprintf(stderr, "csv: the rows written do not parse back the same\n");
    std::abort();
  }
  return 0;
}
