#pragma once
// TColor: explicit colours are 0x00BBGGRR; 0x800000nn names system colour nn, which
// must be resolved (GetSysColor) before any channel arithmetic.
#include <cstdint>

using TColor = std::uint32_t;

// Looks up a system colour by index; the platform passes GetSysColor, tests a table.
using SysColorFn = std::uint32_t (*)(int index);

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000,
                 clOlive = 0x008080, clNavy = 0x800000, clPurple = 0x800080,
                 clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0,
                 clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00,
                 clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

constexpr TColor clScrollBar = 0x80000000, clBackground = 0x80000001,
                 clActiveCaption = 0x80000002, clInactiveCaption = 0x80000003,
                 clMenu = 0x80000004, clWindow = 0x80000005, clWindowFrame = 0x80000006,
                 clMenuText = 0x80000007, clWindowText = 0x80000008,
                 clCaptionText = 0x80000009, clActiveBorder = 0x8000000A,
                 clInactiveBorder = 0x8000000B, clAppWorkSpace = 0x8000000C,
                 clHighlight = 0x8000000D, clHighlightText = 0x8000000E,
                 clBtnFace = 0x8000000F, clBtnShadow = 0x80000010, clGrayText = 0x80000011,
                 clBtnText = 0x80000012, clInactiveCaptionText = 0x80000013,
                 clBtnHighlight = 0x80000014, cl3DDkShadow = 0x80000015,
                 cl3DLight = 0x80000016, clInfoText = 0x80000017, clInfoBk = 0x80000018;

constexpr bool IsSystemColor(TColor c) { return (c & 0x80000000u) != 0; }

// The framework's colour resolution: a system colour becomes the system's RGB value
// for its index (low byte); every other value is returned unchanged.
inline TColor ColorToRGB(TColor c, SysColorFn sys) {
    return IsSystemColor(c) ? (sys(static_cast<int>(c & 0xFF)) & 0xFFFFFF) : c;
}

constexpr std::uint8_t RedOf(TColor c) { return c & 0xFF; }
constexpr std::uint8_t GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr std::uint8_t BlueOf(TColor c) { return (c >> 16) & 0xFF; }
constexpr TColor RGBColor(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

// A colour as a pixel of the control set's 32-bit images (0x00RRGGBB: blue in the
// low byte, as the bytes lie in memory).
inline std::uint32_t ColorToPixel(TColor c, SysColorFn sys) {
    TColor rgb = ColorToRGB(c, sys);
    return (std::uint32_t(RedOf(rgb)) << 16) | (std::uint32_t(GreenOf(rgb)) << 8) | BlueOf(rgb);
}
