#pragma once
// The platform's own GBK (code page 936) codec, under the portable conversions of text_codec.h
// (win32/ or posix/text_codec_gbk.cpp). It knows GBK only: the four-byte path characters are
// read and written above it, in text_codec.cpp.

#include <string>
#include <string_view>

#include "base/text_value.h"

namespace platform::gbk_codec {

// Bytes that start no GBK character become U+FFFD, one per byte, and the conversion goes on.
std::u16string toUtf16(std::string_view gbk);

// A UTF-16 unit GBK cannot hold becomes "?" (two for a surrogate pair).
base::TextValue fromUtf16(std::u16string_view utf16);

}  // namespace platform::gbk_codec
