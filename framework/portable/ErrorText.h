#pragma once
// The text of the error message box: a message that ends in a letter, a digit or a
// double-byte character gets a final ".".
#include "framework/portable/CodePage.h"

#include <string>
#include <string_view>

std::string ErrorDisplayText(std::string_view message, const CodePage& cp);
