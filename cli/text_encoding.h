#pragma once
// The CLI speaks UTF-8; the system's texts are GBK.

#include <string>
#include <string_view>

#include "platform/text_codec.h"

namespace cli {

inline std::string toSystemText(std::string_view utf8) { return platform::utf8ToGbk(utf8); }
inline std::string toUtf8(std::string_view gbk) { return platform::gbkToUtf8(gbk); }
// A path argument (a file or a run folder): every character reaches the file system unchanged,
// also those GBK has not.
inline std::string toPathText(std::string_view utf8) { return platform::pathTextFromUtf8(utf8); }

}  // namespace cli
