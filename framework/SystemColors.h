#pragma once
// The system's colours as the colour code needs them.
#include "framework/portable/Colors.h"

#include <cstdint>

// GetSysColor as the colour code needs it.
std::uint32_t SystemColor(int index);

// A colour resolved through the system colours.
inline TColor ResolveColor(TColor c) { return ColorToRGB(c, SystemColor); }
