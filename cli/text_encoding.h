#pragma once
// The CLI speaks UTF-8; the system's texts are GBK.

#include <string>
#include <string_view>

#include "platform/text_codec.h"

namespace cli {

inline std::string toSystemText(std::string_view utf8) { return platform::utf8ToGbk(utf8); }
inline std::string toUtf8(std::string_view gbk) { return platform::gbkToUtf8(gbk); }

}  // namespace cli
