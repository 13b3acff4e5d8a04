#pragma once
// Composite values: a link, FTP link or QQ link field stores its pieces in one text, joined by "||"
// (title||address, user||password||server, title||number).

#include <cstddef>
#include <string_view>
#include <vector>

#include "base/text_value.h"

namespace forms {

inline constexpr std::string_view kPieceSeparator = "||";

// The stored text cut into exactly `count` pieces: missing pieces empty, extra pieces dropped.
std::vector<base::TextValue> compositePieces(std::string_view stored, std::size_t count);

// The host part of a web address: what follows the first "//" (or the whole text when there is
// none) up to the next "/". A bare host name gives itself.
base::TextValue hostOfAddress(std::string_view address);

}  // namespace forms
