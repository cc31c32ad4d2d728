#pragma once
// The folder an entry opens: what is stored is never changed, but a list that travels
// (in a sync folder, on a USB stick beside the program) may name its folders through
// environment variables or relative to the program's own folder.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The value of an environment variable, or nothing when it is not defined.
using EnvironmentLookup = std::function<std::optional<std::wstring>(std::wstring_view name)>;

// Every %NAME% whose variable is defined replaced by its value; an undefined one, a lone
// '%' and an empty "%%" stay as written. Values are not expanded again.
std::wstring ExpandVariables(std::wstring_view path, const EnvironmentLookup& lookup);

// The real path of an entry's stored path, for the launch and the look for the folder:
// the variables expanded; then a relative path (no drive, not rooted: `Sub`, `.\Sub`,
// `..\Shared`) taken against `programFolder`, its "." and ".." steps resolved (never
// above the folder's root); a bare drive `X:` made its root `X:\`. A path with a drive
// or `\\` and no variable stays exactly as stored; the empty path stays empty.
std::wstring RealFolderPath(std::wstring_view stored, std::wstring_view programFolder, const EnvironmentLookup& lookup);

// What the look for an entry's folder found. Only a plain "not there" keeps the explorer
// from starting: a folder the look could not judge (no rights, a network that did not
// answer) is left to the explorer, which reports such places itself.
enum class FolderPresence { Exists, Missing, Unknown };

// The file system's error codes the look tells apart.
struct FolderLookErrors {
    unsigned fileNotFound, pathNotFound, invalidName, invalidDrive, notReady, badPathname;
};

// The answer from what the file system reported: attributes (with whether the directory
// bit is set), or the error of a failed query. A file where the folder should be is missing.
FolderPresence FolderPresenceOf(bool gotAttributes, bool isDirectory, unsigned error, const FolderLookErrors& codes);
