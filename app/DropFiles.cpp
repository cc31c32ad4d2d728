#include "app/DropFiles.h"

#include "app/WidePath.h"

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

namespace {
struct DropRelease {
    HDROP drop;
    ~DropRelease() { DragFinish(drop); }
};
} // namespace

int RegisterDrop(HDROP drop, const std::function<StoredPathChoice(const std::wstring& folder)>& store,
                 const AskName& ask, const AppendEntry& append, const ShowRefusal& refuse) {
    DropRelease release{drop};
    const int count = static_cast<int>(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
    auto folderOf = [drop, &store](int i) {
        return store(RegisteredFolderOf(DroppedItemPath(drop, static_cast<UINT>(i)), IsExistingFolder));
    };
    return RegisterDroppedItems(count, folderOf, ask, append, refuse);
}
