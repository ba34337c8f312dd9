// Colour words in the 0x00BBGGRR form the terminal stores, and their mapping onto Qt colours.
#pragma once

#include <QColor>

#include <cstdint>

namespace tuvako {

// A colour word: 0x00BBGGRR for a plain colour; with the top bit set, the low byte names a
// system colour (button face, window text ...) that follows the platform's palette.
using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBtnFace = TColor(0x8000000Fu);
constexpr TColor clWindowText = TColor(0x80000008u);

// The colour that `color` stands for now; system colours are looked up in the application's
// palette.
QColor ToQColor(TColor color);

// The plain colour word of `color` (never a system colour).
TColor FromQColor(const QColor& color);

}  // namespace tuvako
