#include "app/portable/LaunchParams.h"

#include "app/portable/PathRules.h"

std::wstring ExplorerParameters(std::wstring_view path) {
    if (path.empty()) return L"/n,/e,";
    return L"/n,/e,\"" + std::wstring(path) + L'"';
}

std::string InfoPageAddress(std::string_view exePath, const CodePage& cp) {
    return std::string(InfoPageBase) + WithoutExtension(FileNameOf(exePath, cp), cp);
}
