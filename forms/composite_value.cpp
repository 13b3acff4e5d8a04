#include "forms/composite_value.h"

namespace forms {

std::vector<base::TextValue> compositePieces(std::string_view stored, std::size_t count) {
  return base::splitTextExactly(stored, kPieceSeparator, count);
}

base::TextValue hostOfAddress(std::string_view address) {
  const std::size_t scheme = base::findText(address, "//");
  const std::size_t start = scheme == base::kNotFound ? 0 : scheme + 2;
  const std::size_t end = base::findText(address, "/", start);
  return base::TextValue(address.substr(start, end == base::kNotFound ? std::string_view::npos : end - start));
}

}  // namespace forms
