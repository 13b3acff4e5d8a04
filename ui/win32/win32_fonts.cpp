#include "ui/win32/win32_fonts.h"

#include <array>

#include "platform/win32/wide_text.h"

namespace ui::win32 {
namespace {

// Characters of the program's captions, with strokes near the top and the bottom of the cell.
constexpr wchar_t kChineseProbe[] = L"\u793a\u4f8b\u8868\u5355\u5220\u9664";  // 示例表单删除

// Chinese user-interface faces of Windows, most modern first.
constexpr std::array<const wchar_t*, 4> kChineseFaces = {L"Microsoft YaHei UI", L"Microsoft YaHei", L"SimSun",
                                                         L"\u5b8b\u4f53"};

LOGFONTW describe(const std::wstring& face, int pixels, bool bold, bool underline, BYTE charset) {
  LOGFONTW description{};
  description.lfHeight = -pixels;
  description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  description.lfUnderline = underline ? TRUE : FALSE;
  description.lfCharSet = charset;
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  face.copy(description.lfFaceName, LF_FACESIZE - 1);
  return description;
}

}  // namespace

bool drawsChinese(const std::wstring& face) {
  if (face.empty()) return false;
  const LOGFONTW description = describe(face, 12, false, false, DEFAULT_CHARSET);
  OwnedFont font(::CreateFontIndirectW(&description));
  if (!font) return false;
  OwnedDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return false;
  Selection selected(dc.get(), font.get());
  constexpr int kCount = static_cast<int>(std::size(kChineseProbe)) - 1;
  std::array<WORD, kCount> glyphs{};
  if (::GetGlyphIndicesW(dc.get(), kChineseProbe, kCount, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
    return false;
  }
  for (WORD glyph : glyphs) {
    if (glyph == 0xFFFF) return false;
  }
  return true;
}

std::wstring chooseUiFontFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  std::wstring messageFace;
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    messageFace = metrics.lfMessageFont.lfFaceName;
  }
  if (drawsChinese(messageFace)) return messageFace;
  for (const wchar_t* face : kChineseFaces) {
    if (drawsChinese(face)) return face;
  }
  return messageFace.empty() ? std::wstring(kChineseFaces.back()) : messageFace;
}

OwnedFont createFont(const Font& font, const DpiScale& scale, const std::wstring& uiFace) {
  const std::wstring face = font.name.empty() ? uiFace : platform::win32::wideFromGbk(font.name);
  // The Chinese character set: where the face is missing, the system takes a face that has them.
  const LOGFONTW description = describe(face, scale.fontPixels(font.size), font.bold, font.underline, GB2312_CHARSET);
  return OwnedFont(::CreateFontIndirectW(&description));
}

}  // namespace ui::win32
