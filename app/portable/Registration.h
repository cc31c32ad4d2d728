#pragma once
// The two ways a folder is registered — the folder browser and a drop — as plain steps
// over what the platform answers, so their order and results are the same everywhere.
#include "../../framework/portable/CodePage.h"
#include "AnsiPath.h"

#include <functional>
#include <string>
#include <string_view>

// Asks for the name of a new entry for `folder` (the naming prompt: caption "名称の入力",
// the folder as prompt text, default "新規パス"); the empty string registers nothing.
using AskName = std::function<std::string(const std::string& folder)>;
// Appends the entry for (name, folder) at the end of the folder list.
using AppendEntry = std::function<void(const std::string& name, const std::string& folder)>;
// Tells the user why a path was not registered (through the exception display).
using ShowRefusal = std::function<void(const std::string& message)>;

// The default name the naming prompt offers.
extern const char* const DefaultEntryName;
// The naming prompt's caption.
extern const char* const NamingCaption;

// The folder that a dropped item registers, taken from the item's path as the shell hands
// it (UTF-16, where no character hides a backslash): the item itself when, without its
// trailing backslash, it names an existing folder; otherwise the folder that holds it,
// without its trailing backslash (a file, or a path that no longer exists).
// Only this folder is turned into the code page's bytes, so a file whose own name the
// code page cannot hold still registers its folder by the folder's own name.
std::wstring RegisteredFolderOf(std::wstring_view item, const std::function<bool(const std::wstring&)>& isFolder);

// What a dropped shortcut points to: the target's path when the shortcut names one in the
// file system that is there (a folder or a file); empty for a web address, the Control
// Panel, a target that is gone or a shortcut that cannot be read.
using ShortcutTarget = std::function<std::wstring(const std::wstring& shortcut)>;

// True for a name the shell treats as a shortcut: it ends in ".lnk", in any case.
bool IsShortcutName(std::wstring_view item);

// As above, but a dropped shortcut (a file named *.lnk) registers what it points to: the
// target folder itself, or the folder holding the target file. A shortcut that points to
// nothing there registers the folder holding it, as any dropped file does.
std::wstring RegisteredFolderOf(std::wstring_view item, const std::function<bool(const std::wstring&)>& isFolder,
                                const ShortcutTarget& shortcutTarget);

// One chosen folder from the folder browser (empty after a cancel): a refused path is
// reported and registers nothing; otherwise strips one trailing backslash, asks for a
// name unless the path is empty, and appends a named entry.
void RegisterChosenFolder(const AnsiPathChoice& chosen, const AskName& ask, const AppendEntry& append,
                          const ShowRefusal& refuse, const CodePage& cp);

// A drop of `count` items: for each item in order, find its registered folder as the
// code page's bytes (`folderOf`), ask for a name and append the named ones. A refused
// folder is reported and the drop goes on with the next item. Returns the number appended.
int RegisterDroppedItems(int count, const std::function<AnsiPathChoice(int index)>& folderOf,
                         const AskName& ask, const AppendEntry& append, const ShowRefusal& refuse);
