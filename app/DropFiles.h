#pragma once
// Registration of files and folders dropped from the shell onto the window.
#include "app/portable/Registration.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

// The folder test: the platform reports attributes for the path, and they include the
// directory attribute.
bool IsExistingFolder(const std::string& path);

// Registers every item of the drop in the shell's order, one naming prompt per item, and
// releases the drop handle once, after the last prompt (also when a step fails).
// Returns the number of entries appended.
int RegisterDrop(HDROP drop, const AskName& ask, const AppendEntry& append, const CodePage& cp);
