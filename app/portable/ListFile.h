#pragma once
// DirList.txt as bytes: one entry per line. CR LF, LF and CR each end a line; a break at
// the very end does not start another line. Lines are read whole whatever their length.
#include <string>
#include <string_view>
#include <vector>

// The list file beside the executable, joined as bytes ("C:\Tools/DirList.txt").
std::string ListFilePath(std::string_view exeFolder);

std::vector<std::string> ReadListLines(std::string_view bytes);

// Every non-empty entry followed by CR LF; an empty list gives no bytes.
std::string WriteListLines(const std::vector<std::string>& entries);
