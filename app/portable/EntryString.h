#pragma once
// One folder-list entry: quote name quote , quote path quote. Nothing is escaped.
#include <string>
#include <string_view>

std::string MakeEntryString(std::string_view quote, std::string_view name, std::string_view path);

// The list file beside the executable, joined as bytes ("C:\Tools/DirList.txt").
std::string ListFilePath(std::string_view exeFolder);
