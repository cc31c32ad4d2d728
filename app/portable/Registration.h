#pragma once
// The two ways a folder is registered — the folder browser and a drop — as plain steps
// over what the platform answers, so their order and results are the same everywhere.
// Names and folders are text (UTF-16): what the list file can store of them is the
// folder list's business.
#include "app/portable/AnsiPath.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Asks for the name of a new entry for `folder` (the naming prompt: caption "名称の入力",
// the folder as prompt text, default "新規パス"); the empty string registers nothing.
using AskName = std::function<std::wstring(const std::wstring& folder)>;
// Appends the entry for (name, folder) at the end of the folder list.
using AppendEntry = std::function<void(const std::wstring& name, const std::wstring& folder)>;
// Tells the user why a path or a name was not taken (through the exception display).
using ShowRefusal = std::function<void(const std::string& message)>;

// The default name the naming prompt offers.
extern const char* const DefaultEntryName;
// The naming prompt's caption.
extern const char* const NamingCaption;
// The naming prompt's caption when an entry is given a new name.
extern const char* const RenamingCaption;

// The folder that a dropped item registers, taken from the item's path as the shell hands
// it (UTF-16, where no character hides a backslash): the item itself when, without its
// trailing backslash, it names an existing folder; otherwise the folder that holds it,
// without its trailing backslash (a file, or a path that no longer exists).
// Only this folder is turned into the list's form, so a file whose own name the list
// cannot hold still registers its folder by the folder's own name.
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
void RegisterChosenFolder(const StoredPathChoice& chosen, const AskName& ask, const AppendEntry& append,
                          const ShowRefusal& refuse);
// The path a folder chosen in the folder browser is stored by, without one trailing
// backslash; empty after a cancel, or when the path is refused (and reported).
std::wstring ChosenFolderPath(const StoredPathChoice& chosen, const ShowRefusal& refuse);

// A drop of `count` items: for each item in order, find the path its registered folder is
// stored by (`folderOf`), ask for a name and append the named ones. A refused folder is
// reported and the drop goes on with the next item. Returns the number appended.
int RegisterDroppedItems(int count, const std::function<StoredPathChoice(int index)>& folderOf,
                         const AskName& ask, const AppendEntry& append, const ShowRefusal& refuse);

// Asks for a name until the list can store it: `ask` shows the prompt with the given text
// in its field (the default name first, then what was typed and refused); a name that
// `refusal` has a message for is told and asked again. The empty name is taken as it is.
std::wstring AskStorableName(const std::function<std::wstring(const std::wstring& fieldText)>& ask,
                             const std::wstring& defaultName,
                             const std::function<std::optional<std::string>(std::wstring_view name)>& refusal,
                             const ShowRefusal& refuse);
