#pragma once
// One folder-list entry: quote name quote , quote path quote. A quote inside the name or
// the path is doubled, which the comma split reads back as one.
#include <string>
#include <string_view>

std::wstring MakeEntryString(std::wstring_view quote, std::wstring_view name, std::wstring_view path);
// One field of an entry: the text between quotes, a quote inside it doubled.
std::wstring QuotedField(std::wstring_view quote, std::wstring_view field);
