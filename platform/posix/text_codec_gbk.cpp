// GBK <-> UTF-16 on POSIX through iconv's code page 936 ("CP936": GBK with the euro sign at 0x80,
// as Windows has it). Its user-defined areas (AAA1-AFFE, F8A1-FEFE, A140-A7A0 and some single
// codes), which Windows maps to private-use code points, are not defined here and become U+FFFD.

#include <iconv.h>

#include <cerrno>

#include "platform/text_codec_gbk.h"

namespace platform::gbk_codec {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : descriptor_(::iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) ::iconv_close(descriptor_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `input`. Where iconv meets a sequence it cannot read or write, `replacement`
  // stands for the next `skip` input bytes and the conversion goes on behind them.
  std::string convert(std::string_view input, std::string_view replacement, std::size_t skip) {
    std::string output;
    if (!valid()) return output;
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char chunk[1024];
    while (inLeft > 0) {
      char* out = chunk;
      std::size_t outLeft = sizeof chunk;
      std::size_t result = ::iconv(descriptor_, &in, &inLeft, &out, &outLeft);
      int error = errno;
      output.append(chunk, static_cast<std::size_t>(out - chunk));
      if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
      output += replacement;  // EILSEQ or EINVAL (cut off at the end)
      std::size_t skipped = skip < inLeft ? skip : inLeft;
      in += skipped;
      inLeft -= skipped;
    }
    return output;
  }

 private:
  iconv_t descriptor_;
};

constexpr const char* kGbk = "CP936";
constexpr const char* kUtf16 = "UTF-16LE";

}  // namespace

std::u16string toUtf16(std::string_view gbk) {
  Converter converter(kUtf16, kGbk);
  std::string bytes = converter.convert(gbk, std::string_view("\xFD\xFF", 2), 1);  // U+FFFD per byte
  std::u16string utf16(bytes.size() / 2, u'\0');
  for (std::size_t index = 0; index < utf16.size(); ++index) {
    auto low = static_cast<unsigned char>(bytes[2 * index]);
    auto high = static_cast<unsigned char>(bytes[2 * index + 1]);
    utf16[index] = static_cast<char16_t>(low | (high << 8));
  }
  return utf16;
}

base::TextValue fromUtf16(std::u16string_view utf16) {
  std::string bytes;
  bytes.reserve(utf16.size() * 2);
  for (char16_t unit : utf16) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  Converter converter(kGbk, kUtf16);
  return converter.convert(bytes, "?", 2);  // "?" per UTF-16 unit, as Windows does
}

}  // namespace platform::gbk_codec
