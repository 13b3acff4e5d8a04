#pragma once
// Conversions between GBK (code page 936), UTF-16 and UTF-8. Bytes that are not valid in the source
// encoding become U+FFFD; characters GBK cannot hold become "?", except in path texts.
//
// Path texts. A file name may hold characters GBK has not (Korean, emoji, many accented letters),
// so a path that comes from the system is written with pathTextFrom...: characters GBK holds as
// GBK, every other character as four bytes b1 b2 b3 b4 shaped like GB18030's four-byte codes,
//   b1 = 0x81 + n / 12600        (0x81..0xD9)
//   b2 = 0x30 + n / 1260 % 10    (a digit)
//   b3 = 0x81 + n / 10 % 126     (0x81..0xFE)
//   b4 = 0x30 + n % 10           (a digit)
// where n is the character's code point, U+0080..U+10FFFF outside the surrogates; read back,
//   n = (b1 - 0x81) * 12600 + (b2 - 0x30) * 1260 + (b3 - 0x81) * 10 + (b4 - 0x30).
// No GBK text holds such a sequence (no GBK second byte is a digit), it holds no "\" or "/", and
// stepping over double-byte characters walks it as two pairs, so the path operations and every
// text function keep working on it. gbkToUtf16 and everything built on it read these sequences
// as their characters, so files are found under their real names and a path is shown as it is.
// Four such bytes that number no character (n below 0x80, a surrogate, above U+10FFFF) are read
// as any other GBK bytes are. The euro sign, in code page 936 a lone byte 0x80 that text functions
// would take for a lead byte, is also written in the four-byte form in path texts.

#include <string>
#include <string_view>

#include "base/text_value.h"

namespace platform {

std::u16string gbkToUtf16(std::string_view gbk);
base::TextValue utf16ToGbk(std::u16string_view utf16);
// How many bytes of `gbk` from `position` gbkToUtf16 reads as one character: 4 for a character in
// the four-byte form, else base::characterSize.
std::size_t characterSizeAsRead(std::string_view gbk, std::size_t position);
// Whether `gbk`, utf16ToGbk of `utf16`, holds every character of it as a GBK character that text
// functions step over as one (ASCII bytes, pairs whose first byte is 0x81..0xFE) and that reads back
// to it: "?" for a character GBK has not, or a lone 0x80 for the euro sign, says no.
bool gbkHoldsEveryCharacter(std::string_view gbk, std::u16string_view utf16);
// utf16ToGbk for a text that a control shows: while it shows exactly what `shown` converts to, the
// bytes of `shown` themselves, also those that UTF-16 could not show (a lone lead byte, 0x80..0xFF
// outside a character); so a value shown and read back unchanged keeps every byte.
base::TextValue utf16ToGbkKeeping(std::u16string_view utf16, std::string_view shown);

std::string utf16ToUtf8(std::u16string_view utf16);
std::u16string utf8ToUtf16(std::string_view utf8);

std::string gbkToUtf8(std::string_view gbk);
base::TextValue utf8ToGbk(std::string_view utf8);

// A path from the system as a path text that loses no character (see above). A lone surrogate,
// which names no character, becomes U+FFFD, and so does an ill-formed UTF-8 sequence.
base::TextValue pathTextFromUtf16(std::u16string_view utf16);
base::TextValue pathTextFromUtf8(std::string_view utf8);

}  // namespace platform
