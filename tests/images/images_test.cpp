#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>

#include "app/images/app_images.h"
#include "windows/images/images.h"
#include "windows/images/window_images.h"

namespace {

std::uint32_t le16(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

std::uint32_t le32(std::string_view bytes, std::size_t at) {
  return le16(bytes, at) | le16(bytes, at + 2) << 16;
}

// Checks a 40-byte BITMAPINFOHEADER at `at` describing 32-bit BI_RGB pixels.
void expectInfoHeader(std::string_view bytes, std::size_t at, int width, int height) {
  EXPECT_EQ(le32(bytes, at), 40u);
  EXPECT_EQ(static_cast<std::int32_t>(le32(bytes, at + 4)), width);
  EXPECT_EQ(static_cast<std::int32_t>(le32(bytes, at + 8)), height);
  EXPECT_EQ(le16(bytes, at + 12), 1u);   // planes
  EXPECT_EQ(le16(bytes, at + 14), 32u);  // bits per pixel
  EXPECT_EQ(le32(bytes, at + 16), 0u);   // BI_RGB
}

// Checks that `count` BGRA pixels at `at` are not blank: some are opaque and they are not all one
// colour, and some are transparent around the drawing.
void expectDrawn(std::string_view bytes, std::size_t at, int count) {
  int opaque = 0;
  int transparent = 0;
  std::set<std::uint32_t> colours;
  for (int i = 0; i < count; ++i) {
    std::uint32_t pixel = le32(bytes, at + 4 * i);
    std::uint32_t alpha = pixel >> 24;
    if (alpha == 255) {
      ++opaque;
      colours.insert(pixel);
    } else if (alpha == 0) {
      ++transparent;
    }
  }
  EXPECT_GT(opaque, count / 8);
  EXPECT_GE(colours.size(), 3u);
  EXPECT_GT(transparent, 0);
}

void expectBmp(std::string_view bytes, int size) {
  ASSERT_EQ(bytes.size(), 54u + 4u * size * size);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(le32(bytes, 2), bytes.size());
  EXPECT_EQ(le32(bytes, 10), 54u);  // pixels follow the two headers
  expectInfoHeader(bytes, 14, size, size);
  expectDrawn(bytes, 54, size * size);
}

TEST(ProgramIcon, IsOne16By16ImageWith32BitsAndAMask) {
  std::string_view ico = app::images::kProgramIco;
  ASSERT_EQ(ico.size(), 1150u);
  EXPECT_EQ(le16(ico, 0), 0u);  // reserved
  EXPECT_EQ(le16(ico, 2), 1u);  // an icon
  EXPECT_EQ(le16(ico, 4), 1u);  // one image
  EXPECT_EQ(static_cast<unsigned char>(ico[6]), 16);
  EXPECT_EQ(static_cast<unsigned char>(ico[7]), 16);
  EXPECT_EQ(static_cast<unsigned char>(ico[8]), 0);  // no palette
  EXPECT_EQ(le16(ico, 10), 1u);                       // planes
  EXPECT_EQ(le16(ico, 12), 32u);                      // bits per pixel
  EXPECT_EQ(le32(ico, 14), 1150u - 22u);              // the image's size
  EXPECT_EQ(le32(ico, 18), 22u);                      // and where it starts
  expectInfoHeader(ico, 22, 16, 32);                  // twice the height: colour and mask
  expectDrawn(ico, 62, 16 * 16);

  // The AND mask marks the transparent pixels and leaves the opaque ones.
  for (int row = 0; row < 16; ++row) {
    std::uint32_t bits = static_cast<unsigned char>(ico[62 + 1024 + 4 * row]) << 8 |
                         static_cast<unsigned char>(ico[62 + 1024 + 4 * row + 1]);
    for (int x = 0; x < 16; ++x) {
      std::uint32_t alpha = static_cast<unsigned char>(ico[62 + 4 * (row * 16 + x) + 3]);
      bool masked = bits & (0x8000u >> x);
      if (alpha == 0) {
        EXPECT_TRUE(masked) << row << "," << x;
      } else if (alpha == 255) {
        EXPECT_FALSE(masked) << row << "," << x;
      }
    }
  }
}

TEST(ToolbarImages, Are24By24With32Bits) {
  for (int i = 0; i < windows::images::kToolbarImageCount; ++i) {
    SCOPED_TRACE(i);
    expectBmp(windows::images::toolbarImage(i), windows::images::kToolbarImageSize);
  }
}

TEST(TreeImages, Are16By16With32Bits) {
  for (int i = 0; i < windows::images::kTreeImageCount; ++i) {
    SCOPED_TRACE(i);
    expectBmp(windows::images::treeImage(i), windows::images::kTreeImageSize);
  }
}

TEST(Images, AreAllDifferent) {
  std::set<std::string_view> seen;
  for (int i = 0; i < windows::images::kToolbarImageCount; ++i) seen.insert(windows::images::toolbarImage(i));
  for (int i = 0; i < windows::images::kTreeImageCount; ++i) seen.insert(windows::images::treeImage(i));
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(windows::images::kToolbarImageCount + windows::images::kTreeImageCount));
}

TEST(Images, OutOfRangeIndexesGiveNothing) {
  EXPECT_TRUE(windows::images::toolbarImage(-1).empty());
  EXPECT_TRUE(windows::images::toolbarImage(windows::images::kToolbarImageCount).empty());
  EXPECT_TRUE(windows::images::treeImage(-1).empty());
  EXPECT_TRUE(windows::images::treeImage(windows::images::kTreeImageCount).empty());
}

TEST(Images, GeneratedNamesFollowTheFileNames) {
  EXPECT_EQ(windows::images::toolbarImage(0), windows::images::kToolbar0Bmp);
  EXPECT_EQ(windows::images::toolbarImage(8), windows::images::kToolbar8Bmp);
  EXPECT_EQ(windows::images::treeImage(2), windows::images::kTree2Bmp);
}

}  // namespace
