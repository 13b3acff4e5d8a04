#pragma once
// The main window's images, as the bytes of BMP files drawn by scripts/make-images.
//
// Every image is a 32-bit BMP: BITMAPFILEHEADER, a 40-byte BITMAPINFOHEADER (BI_RGB, positive
// height: rows bottom-up), then B, G, R, A per pixel. A is straight (not premultiplied) alpha,
// 0 transparent to 255 opaque; there is no colour key. Premultiply where a drawing call needs it.

#include <string_view>

namespace windows::images {

inline constexpr int kToolbarImageCount = 9;
inline constexpr int kTreeImageCount = 3;
inline constexpr int kToolbarImageSize = 24;  // pixels, square
inline constexpr int kTreeImageSize = 16;

// The toolbar's images, by button: 0 新建列表, 1 删除列表, 2 查找记录, 3 加入记录, 4 移除记录,
// 5 全选记录, 6 表单设计, 7 开始PING, 8 自动列宽. Empty outside 0..kToolbarImageCount-1.
std::string_view toolbarImage(int index);

// The tree's images: 0 a list, 1 a key field, 2 a value. Empty outside 0..kTreeImageCount-1.
std::string_view treeImage(int index);

}  // namespace windows::images
