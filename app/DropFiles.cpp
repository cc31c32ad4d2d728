#include "app/DropFiles.h"

#include "app/WidePath.h"
#include "framework/Handles.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <cwchar>

bool IsExistingFolder(const std::wstring& path) {
    const DWORD attr = GetFileAttributesW(ForFileSystem(path).c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring DroppedItemPath(HDROP drop, UINT i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    const UINT got = DragQueryFileW(drop, i, path.data(), length + 1);
    path.resize(got <= length ? got : length);
    return path;
}

// The target is read as the shortcut stores it (GetPath, else its item list) and never
// Resolve()d: even with
// SLR_NO_UI a resolve may search the disks or ask the link-tracking service for a moved
// target, which can take long over a network, and may rewrite the user's shortcut file.
// A target that is not there is left unresolved, so the drop registers what it does for
// any file.
std::wstring ShortcutTargetOf(const std::wstring& shortcut) {
    ComRef<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Put())))
        return {};
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Put()))) return {};
    if (FAILED(file->Load(ForFileSystem(shortcut).c_str(), STGM_READ))) return {};
    auto there = [](const std::wstring& p) {
        return !p.empty() && GetFileAttributesW(ForFileSystem(p).c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    std::wstring target(32768, L'\0');
    // S_FALSE and an empty path: the shortcut points outside the file system (a web
    // address, the Control Panel).
    if (link->GetPath(target.data(), static_cast<int>(target.size()), nullptr, 0) == S_OK) {
        target.resize(wcsnlen(target.c_str(), target.size()));
        if (there(target)) return target;
    }
    // The target's item list keeps its names in Unicode where a shell reads the stored
    // path through the ANSI code page (Wine does, and loses what that cannot hold).
    ItemIdList list;
    if (FAILED(link->GetIDList(list.Put())) || !list.Valid()) return {};
    target.assign(32768, L'\0');
    const bool got = SHGetPathFromIDListEx(list.Get(), target.data(), static_cast<DWORD>(target.size()), GPFIDL_DEFAULT) ||
                     SHGetPathFromIDListW(list.Get(), target.data());
    if (!got) return {};
    target.resize(wcsnlen(target.c_str(), target.size()));
    return there(target) ? target : std::wstring();
}

int RegisterDrop(HDROP drop, const std::function<StoredPathChoice(const std::wstring& folder)>& store,
                 const AskName& ask, const AppendEntry& append, const ShowRefusal& refuse) {
    const DroppedFiles release(drop);
    const int count = static_cast<int>(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
    auto folderOf = [drop, &store](int i) {
        return store(RegisteredFolderOf(DroppedItemPath(drop, static_cast<UINT>(i)), IsExistingFolder, ShortcutTargetOf));
    };
    return RegisterDroppedItems(count, folderOf, ask, append, refuse);
}
