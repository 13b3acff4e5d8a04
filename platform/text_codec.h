#pragma once
// Conversions between GBK (code page 936), UTF-16 and UTF-8. Bytes that are not valid in the source
// encoding become U+FFFD; characters GBK cannot hold become "?".

#include <string>
#include <string_view>

#include "base/text_value.h"

namespace platform {

std::u16string gbkToUtf16(std::string_view gbk);
base::TextValue utf16ToGbk(std::u16string_view utf16);
// utf16ToGbk for a text that a control shows: while it shows exactly what `shown` converts to, the
// bytes of `shown` themselves, also those that UTF-16 could not show (a lone lead byte, 0x80..0xFF
// outside a character); so a value shown and read back unchanged keeps every byte.
base::TextValue utf16ToGbkKeeping(std::u16string_view utf16, std::string_view shown);

std::string utf16ToUtf8(std::u16string_view utf16);
std::u16string utf8ToUtf16(std::string_view utf8);

std::string gbkToUtf8(std::string_view gbk);
base::TextValue utf8ToGbk(std::string_view utf8);

}  // namespace platform
