#pragma once
// Registration of files and folders dropped from the shell onto the window.
#include "app/portable/Registration.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

// The folder test: the platform reports attributes for the path, and they include the
// directory attribute. Paths of any length are tested.
bool IsExistingFolder(const std::wstring& path);

// What a shortcut file points to in the file system, read without any user interface;
// empty when it points elsewhere, to nothing that is there, or cannot be read.
std::wstring ShortcutTargetOf(const std::wstring& shortcut);

// Dropped item i's full path, whole, in Unicode.
std::wstring DroppedItemPath(HDROP drop, UINT i);

// Registers every item of the drop in the shell's order, one naming prompt per item, and
// releases the drop handle once, after the last prompt (also when a step fails). Each
// item's registered folder becomes the path the list stores (`store`); a refused one is
// told through `refuse` and skipped. Returns the number of entries appended.
int RegisterDrop(HDROP drop, const std::function<StoredPathChoice(const std::wstring& folder)>& store,
                 const AskName& ask, const AppendEntry& append, const ShowRefusal& refuse);
