#include "app/DropFiles.h"

bool IsExistingFolder(const std::string& path) {
    const DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

namespace {
struct DropRelease {
    HDROP drop;
    ~DropRelease() { DragFinish(drop); }
};
} // namespace

int RegisterDrop(HDROP drop, const AskName& ask, const AppendEntry& append, const CodePage& cp) {
    DropRelease release{drop};
    const int count = static_cast<int>(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, MAX_PATH));
    auto itemPath = [drop](int i) {
        char buf[MAX_PATH] = {};
        DragQueryFileA(drop, static_cast<UINT>(i), buf, MAX_PATH);
        return std::string(buf);
    };
    return RegisterDroppedItems(count, itemPath, IsExistingFolder, ask, append, cp);
}
