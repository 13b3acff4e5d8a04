#pragma once
// Fonts of the Win32 backend: the user-interface font face the toolkit chooses once, and GDI fonts
// for toolkit fonts at a window's DPI.

#include <windows.h>

#include <string>

#include "ui/dpi_scale.h"
#include "ui/geometry.h"
#include "ui/win32/win32_handles.h"

namespace ui::win32 {

// The face of the system's message font when it holds Chinese characters (it does on Chinese
// Windows); else the first installed face of the usual Chinese user-interface faces that does;
// else the message font's face all the same.
std::wstring chooseUiFontFace();
// Whether a font of that face draws the Chinese characters of the program's captions itself,
// without boxes.
bool drawsChinese(const std::wstring& face);

// A GDI font for a toolkit font: its face (the empty name: `uiFace`), its points at the scale's
// DPI, bold, underline.
OwnedFont createFont(const Font& font, const DpiScale& scale, const std::wstring& uiFace);

}  // namespace ui::win32
