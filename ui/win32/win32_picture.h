#pragma once
// Pictures from BMP or ICO bytes. A BMP becomes a 32-bit DIB section with premultiplied alpha
// (fully opaque when the file has no alpha) and a mask of its transparent pixels; an ICO becomes
// an icon. Either can be drawn, added to an image list, or made into an icon.

#include <windows.h>

#include <vector>

#include <memory>
#include <string>

#include "ui/canvas.h"
#include "ui/win32/win32_handles.h"

namespace ui::win32 {

class Win32Picture : public Picture {
 public:
  // Null when the bytes are no BMP or ICO file the system reads.
  static std::unique_ptr<Win32Picture> load(const std::string& bytes);

  Size size() const override { return size_; }
  void draw(HDC dc, const Rect& area) const;
  void addTo(HIMAGELIST list) const;
  OwnedIcon makeIcon() const;

 private:
  Win32Picture() = default;
  static std::unique_ptr<Win32Picture> loadBitmap(const std::string& bytes);
  static std::unique_ptr<Win32Picture> loadIcon(const std::string& bytes);

  Size size_;
  OwnedIcon icon_;
  OwnedBitmap color_;
  OwnedBitmap mask_;
  bool alpha_ = false;  // some pixels are not fully opaque
};

// An image list of the pictures (the Win32Picture ones), each drawn at `size` device pixels.
OwnedImageList makeImageList(const std::vector<const Picture*>& pictures, Size size);

}  // namespace ui::win32
