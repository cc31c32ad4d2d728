#pragma once
// The system's ANSI code page as the text scanners see it.
#include "framework/portable/CodePage.h"
#include "framework/portable/Colors.h"

const CodePage& SystemCodePage();

// GetSysColor as the colour code needs it.
std::uint32_t SystemColor(int index);

// A colour resolved through the system colours.
inline TColor ResolveColor(TColor c) { return ColorToRGB(c, SystemColor); }
