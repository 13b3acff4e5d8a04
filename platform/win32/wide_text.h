#pragma once
// Texts for the W functions: wchar_t is a UTF-16 unit on Windows.

#include <string>
#include <string_view>

#include "base/text_value.h"
#include "platform/text_codec.h"

namespace platform::win32 {

inline std::wstring wideFromUtf16(std::u16string_view utf16) {
  return std::wstring(utf16.begin(), utf16.end());
}

inline std::u16string utf16FromWide(std::wstring_view wide) {
  return std::u16string(wide.begin(), wide.end());
}

inline std::wstring wideFromGbk(const base::TextValue& gbk) { return wideFromUtf16(gbkToUtf16(gbk)); }

inline base::TextValue gbkFromWide(std::wstring_view wide) { return utf16ToGbk(utf16FromWide(wide)); }

// A path from the system, every character kept (text_codec.h).
inline base::TextValue pathTextFromWide(std::wstring_view wide) { return pathTextFromUtf16(utf16FromWide(wide)); }

inline std::wstring wideFromUtf8(std::string_view utf8) { return wideFromUtf16(utf8ToUtf16(utf8)); }

inline std::string utf8FromWide(std::wstring_view wide) { return utf16ToUtf8(utf16FromWide(wide)); }

}  // namespace platform::win32
