#include "framework/SystemColors.h"

#include <windows.h>

std::uint32_t SystemColor(int index) { return GetSysColor(index); }
