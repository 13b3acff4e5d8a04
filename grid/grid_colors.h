#pragma once
// The grid's colours.

#include "ui/geometry.h"

namespace grid::colors {

inline constexpr ui::Color kOutline = ui::rgb(0x7F, 0x9D, 0xB9);
inline constexpr ui::Color kHeaderNormal = ui::rgb(0xEB, 0xEA, 0xDB);
inline constexpr ui::Color kHeaderHover = ui::rgb(0xFF, 0xF5, 0xEE);
inline constexpr ui::Color kHeaderPressed = ui::rgb(0xFF, 0xE7, 0xBA);
inline constexpr ui::Color kBarBackground = ui::rgb(0xEC, 0xEC, 0xEC);
inline constexpr ui::Color kBarPartPressed = ui::rgb(0xFF, 0xE7, 0xBA);
inline constexpr ui::Color kBarPart = ui::rgb(0xFF, 0xF5, 0xEE);
inline constexpr ui::Color kDataBackground = ui::kWhite;
inline constexpr ui::Color kGridLine = ui::rgb(0xC7, 0xC7, 0xC7);
inline constexpr ui::Color kSelectedFill = ui::rgb(0x46, 0x82, 0xB4);
inline constexpr ui::Color kSelectedText = ui::kWhite;
inline constexpr ui::Color kText = ui::kBlack;
inline constexpr ui::Color kLinkText = ui::rgb(0x00, 0x00, 0xFF);
inline constexpr ui::Color kKeyText = ui::rgb(0xFF, 0x00, 0x00);
inline constexpr ui::Color kSortMark = ui::rgb(0x46, 0x82, 0xB4);

}  // namespace grid::colors
