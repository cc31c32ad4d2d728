#include "app/portable/AnsiPath.h"

std::string UnnameablePathMessage(const std::string& shownPath) {
    return "パス " + shownPath + " にはこのシステムの文字コードで表せない文字が含まれているため、登録できません";
}

AnsiPathChoice ChooseAnsiPath(const AnsiForm& full, const std::function<std::optional<AnsiForm>()>& shortForm) {
    if (full.exact) return {false, full.bytes, {}};
    // Only a path that did not convert is worth the extra trip to the file system.
    if (const std::optional<AnsiForm> s = shortForm(); s && s->exact && !s->bytes.empty())
        return {false, s->bytes, {}};
    return {true, {}, UnnameablePathMessage(full.bytes)};
}
