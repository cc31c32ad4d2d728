#include "LaunchParams.h"

#include "PathRules.h"

std::string ExplorerParameters(std::string_view path) {
    if (path.empty()) return "/n,/e,";
    return "/n,/e,\"" + std::string(path) + '"';
}

std::string InfoPageAddress(std::string_view exePath, const CodePage& cp) {
    return std::string(InfoPageBase) + WithoutExtension(FileNameOf(exePath, cp), cp);
}
