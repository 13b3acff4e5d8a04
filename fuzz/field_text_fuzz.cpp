// The field text of a form: any text parses without a crash, and formatting what was parsed and parsing
// that again gives the same fields (format after parse is stable), for both attribute counts.

#include <cstdint>
#include <cstdlib>

#include "forms/field_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const int attributes : {forms::kLibraryAttributes, forms::kListCopyAttributes}) {
    const std::vector<forms::FieldDefinition> fields = forms::parseFieldSpecText(text, attributes);
    const base::TextValue formatted = forms::formatFieldSpecText(fields, attributes);
    if (forms::parseFieldSpecText(formatted, attributes) != fields) std::abort();
  }
  return 0;
}
