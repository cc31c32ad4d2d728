#pragma once
// Splits an entry string into its fields: commas separate, a leading quote opens a
// quoted field (doubled quotes stand for one), unquoted blanks also end a field.
#include "../../framework/portable/CodePage.h"

#include <string>
#include <string_view>
#include <vector>

// Empties `fields` and fills it with the fields of `text`; the text ends at its first NUL.
void SplitCommaText(std::string_view text, std::vector<std::string>& fields, const CodePage& cp);
