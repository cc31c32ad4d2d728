#pragma once
// The accelerator of a caption: the character after an "&" ("&&" is a literal ampersand,
// a later "&x" replaces an earlier one), found stepping over double-byte characters.
#include "framework/portable/CodePage.h"

#include <string_view>

// The caption's accelerator character, or 0 when it has none.
char AcceleratorOf(std::string_view caption, const CodePage& cp);

// True when the typed character is the caption's accelerator, ASCII letters compared
// without regard to case.
bool IsAccel(char typed, std::string_view caption, const CodePage& cp);
