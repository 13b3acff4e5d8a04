#pragma once
// File names on POSIX are UTF-8; the system's paths are GBK.

#include <string>
#include <string_view>

#include "base/text_value.h"
#include "platform/text_codec.h"

namespace platform::posix {

inline std::string nativePath(const base::TextValue& path) { return gbkToUtf8(path); }

inline base::TextValue systemPath(std::string_view nativePath) { return utf8ToGbk(nativePath); }

}  // namespace platform::posix
