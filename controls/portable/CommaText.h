#pragma once
// Splits an entry string into its fields: commas separate, a leading quote opens a
// quoted field (doubled quotes stand for one), unquoted blanks also end a field.
#include "framework/portable/CodePage.h"

#include <string>
#include <string_view>
#include <vector>

// Empties `fields` and fills it with the fields of `text`; the text ends at its first NUL.
void SplitCommaText(std::string_view text, std::vector<std::string>& fields, const CodePage& cp);

// Where each field of `text` stands in it, quotes included: [begin, end) in bytes, in the
// order SplitCommaText gives the fields. A field added by a comma at the very end is empty
// at the end of the text.
struct CommaFieldSpan {
    std::size_t begin = 0, end = 0;
    bool operator==(const CommaFieldSpan&) const = default;
};
std::vector<CommaFieldSpan> CommaFieldSpans(std::string_view text, const CodePage& cp);
