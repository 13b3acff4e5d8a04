#include "ui/win32/win32_picture.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace ui::win32 {

namespace {

constexpr int kMaxSide = 4096;

std::uint32_t readUint(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}


}  // namespace

std::unique_ptr<Win32Picture> Win32Picture::load(const std::string& bytes) {
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return loadBitmap(bytes);
  if (bytes.size() >= 6 && readUint(bytes, 0, 2) == 0 && readUint(bytes, 2, 2) == 1) return loadIcon(bytes);
  return nullptr;
}

std::unique_ptr<Win32Picture> Win32Picture::loadBitmap(const std::string& bytes) {
  constexpr std::size_t kFileHeader = 14;
  if (bytes.size() < kFileHeader + sizeof(BITMAPINFOHEADER)) return nullptr;
  BITMAPINFOHEADER header{};
  std::memcpy(&header, bytes.data() + kFileHeader, sizeof(header));
  const std::size_t bitsAt = readUint(bytes, 10, 4);
  const int width = header.biWidth;
  const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  if (header.biSize < sizeof(BITMAPINFOHEADER) || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
      bitsAt >= bytes.size()) {
    return nullptr;
  }
  const bool plain = header.biCompression == BI_RGB || header.biCompression == BI_BITFIELDS;
  const std::size_t stride = (static_cast<std::size_t>(width) * header.biBitCount + 31) / 32 * 4;
  if (plain && bitsAt + stride * static_cast<std::size_t>(height) > bytes.size()) return nullptr;

  BITMAPINFO target{};
  target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  target.bmiHeader.biWidth = width;
  target.bmiHeader.biHeight = -height;  // rows top-down
  target.bmiHeader.biPlanes = 1;
  target.bmiHeader.biBitCount = 32;
  target.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  OwnedBitmap color(::CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!color || bits == nullptr) return nullptr;
  auto* pixels = static_cast<std::uint8_t*>(bits);
  const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);

  bool alpha = false;
  if (header.biBitCount == 32 && header.biCompression == BI_RGB) {
    // Copied by hand: the fourth byte is straight alpha.
    for (int row = 0; row < height; ++row) {
      const int sourceRow = header.biHeight > 0 ? height - 1 - row : row;
      std::memcpy(pixels + static_cast<std::size_t>(row) * width * 4,
                  bytes.data() + bitsAt + static_cast<std::size_t>(sourceRow) * stride, static_cast<std::size_t>(width) * 4);
    }
    bool anyAlpha = false;
    for (std::size_t i = 0; i < pixelCount; ++i) anyAlpha = anyAlpha || pixels[i * 4 + 3] != 0;
    for (std::size_t i = 0; i < pixelCount; ++i) {
      std::uint8_t* pixel = pixels + i * 4;
      if (!anyAlpha) pixel[3] = 255;
      if (pixel[3] != 255) alpha = true;
      for (int c = 0; c < 3; ++c) pixel[c] = static_cast<std::uint8_t>(pixel[c] * pixel[3] / 255);
    }
  } else {
    WindowDc screen(nullptr);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + kFileHeader);
    if (::SetDIBits(screen.get(), color.get(), 0, static_cast<UINT>(height), bytes.data() + bitsAt, info, DIB_RGB_COLORS) == 0) {
      return nullptr;
    }
    ::GdiFlush();
    for (std::size_t i = 0; i < pixelCount; ++i) pixels[i * 4 + 3] = 255;
  }

  // The mask: a set bit for every transparent pixel, rows of whole 16-bit words.
  const std::size_t maskStride = (static_cast<std::size_t>(width) + 15) / 16 * 2;
  std::vector<std::uint8_t> mask(maskStride * static_cast<std::size_t>(height), 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (pixels[(static_cast<std::size_t>(y) * width + x) * 4 + 3] < 128) {
        mask[static_cast<std::size_t>(y) * maskStride + static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
  }
  std::unique_ptr<Win32Picture> picture(new Win32Picture);
  picture->size_ = {width, height};
  picture->color_ = std::move(color);
  picture->mask_.reset(::CreateBitmap(width, height, 1, 1, mask.data()));
  picture->alpha_ = alpha;
  return picture;
}

std::unique_ptr<Win32Picture> Win32Picture::loadIcon(const std::string& bytes) {
  const std::size_t count = readUint(bytes, 4, 2);
  if (count == 0 || bytes.size() < 6 + count * 16) return nullptr;
  // The largest image of the file.
  std::size_t best = 0;
  int bestSide = -1;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + i * 16;
    const int side = bytes[entry] == 0 ? 256 : static_cast<unsigned char>(bytes[entry]);
    if (side > bestSide) {
      bestSide = side;
      best = entry;
    }
  }
  const int width = bytes[best] == 0 ? 256 : static_cast<unsigned char>(bytes[best]);
  const int height = bytes[best + 1] == 0 ? 256 : static_cast<unsigned char>(bytes[best + 1]);
  const std::size_t size = readUint(bytes, best + 8, 4);
  const std::size_t offset = readUint(bytes, best + 12, 4);
  if (offset >= bytes.size() || size > bytes.size() - offset || size == 0) return nullptr;
  std::vector<BYTE> image(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                          bytes.begin() + static_cast<std::ptrdiff_t>(offset + size));
  OwnedIcon icon(::CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE, 0x00030000, width, height,
                                            LR_DEFAULTCOLOR));
  if (!icon) return nullptr;
  std::unique_ptr<Win32Picture> picture(new Win32Picture);
  picture->size_ = {width, height};
  picture->icon_ = std::move(icon);
  return picture;
}

void Win32Picture::draw(HDC dc, const Rect& area) const {
  if (icon_) {
    ::DrawIconEx(dc, area.left, area.top, icon_.get(), area.width, area.height, 0, nullptr, DI_NORMAL);
    return;
  }
  OwnedDc source(::CreateCompatibleDC(dc));
  Selection selected(source.get(), color_.get());
  if (alpha_) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, area.left, area.top, area.width, area.height, source.get(), 0, 0, size_.width, size_.height, blend);
  } else {
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, area.left, area.top, area.width, area.height, source.get(), 0, 0, size_.width, size_.height, SRCCOPY);
  }
}

OwnedIcon Win32Picture::makeIcon() const {
  if (icon_) return OwnedIcon(::CopyIcon(icon_.get()));
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = mask_.get();
  info.hbmColor = color_.get();
  return OwnedIcon(::CreateIconIndirect(&info));
}

void Win32Picture::addTo(HIMAGELIST list) const {
  if (icon_) {
    ::ImageList_AddIcon(list, icon_.get());
    return;
  }
  OwnedIcon icon = makeIcon();
  ::ImageList_AddIcon(list, icon.get());
}

OwnedImageList makeImageList(const std::vector<const Picture*>& pictures, Size size) {
  OwnedImageList list(::ImageList_Create(size.width, size.height, ILC_COLOR32 | ILC_MASK, static_cast<int>(pictures.size()), 4));
  for (const Picture* picture : pictures) {
    if (const auto* native = dynamic_cast<const Win32Picture*>(picture)) native->addTo(list.get());
  }
  return list;
}

}  // namespace ui::win32
