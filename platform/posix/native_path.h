#pragma once
// File names on POSIX are UTF-8; the system's paths are path texts (text_codec.h), so a name with
// characters GBK has not comes back unchanged. A name that is no UTF-8 reads with U+FFFD.

#include <string>
#include <string_view>

#include "base/text_value.h"
#include "platform/text_codec.h"

namespace platform::posix {

inline std::string nativePath(const base::TextValue& path) { return gbkToUtf8(path); }

inline base::TextValue systemPath(std::string_view nativePath) { return pathTextFromUtf8(nativePath); }

}  // namespace platform::posix
