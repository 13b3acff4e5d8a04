// GBK <-> UTF-16 on Windows: code page 936, whatever code page the system uses.

#include <windows.h>

#include "platform/text_codec_gbk.h"

namespace platform::gbk_codec {
namespace {

constexpr UINT kGbk = 936;
constexpr char16_t kReplacement = 0xFFFD;

// Converts `gbk` as a whole; false when it holds a byte sequence code page 936 does not define.
bool convertStrictly(std::string_view gbk, std::u16string& utf16) {
  utf16.clear();
  if (gbk.empty()) return true;
  int size = static_cast<int>(gbk.size());
  int length = ::MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), size, nullptr, 0);
  if (length == 0) return false;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), size, wide.data(), length);
  utf16.assign(wide.begin(), wide.end());
  return true;
}

// Converts character by character, so each byte that starts no valid character becomes U+FFFD
// and the conversion goes on after it.
std::u16string convertReplacing(std::string_view gbk) {
  std::u16string utf16;
  std::u16string character;
  std::size_t position = 0;
  while (position < gbk.size()) {
    std::size_t size = base::characterSize(gbk, position);
    if (convertStrictly(gbk.substr(position, size), character)) {
      utf16 += character;
      position += size;
    } else {
      utf16 += kReplacement;
      ++position;
    }
  }
  return utf16;
}

}  // namespace

std::u16string toUtf16(std::string_view gbk) {
  std::u16string utf16;
  return convertStrictly(gbk, utf16) ? utf16 : convertReplacing(gbk);
}

base::TextValue fromUtf16(std::u16string_view utf16) {
  if (utf16.empty()) return base::TextValue();
  std::wstring wide(utf16.begin(), utf16.end());
  int size = static_cast<int>(wide.size());
  int length = ::WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, "?", nullptr);
  base::TextValue gbk(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), size, gbk.data(), length, "?", nullptr);
  return gbk;
}

}  // namespace platform::gbk_codec
