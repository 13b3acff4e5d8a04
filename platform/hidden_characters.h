#pragma once
// Characters that show nothing of their own but change what is shown around them: the controls of
// writing direction (U+202E shows "moc.elpmaxe" as "example.com", so a tip would name another host
// than the link opens) and the zero-width characters. Texts that tell the user where something
// leads show each of them as "<U+202E>".
//
// GBK holds none of them; a GBK text still carries one in the four-byte form that gbkToUtf16
// reads (text_codec.h), so a GBK text is judged as that conversion reads it.

#include <string>
#include <string_view>

#include "base/text_value.h"

namespace platform {

// U+200E, U+200F, U+202A..U+202E, U+2066..U+2069, U+061C, U+200B..U+200D, U+2060, U+FEFF.
bool isHiddenCharacter(char32_t codePoint);

// `text` with every hidden character written as "<U+XXXX>".
std::u16string withHiddenCharactersShown(std::u16string_view text);
base::TextValue withHiddenCharactersShown(std::string_view gbk);

}  // namespace platform
