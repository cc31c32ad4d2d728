#include "app/portable/LaunchPath.h"

#include <gtest/gtest.h>

#include <map>

namespace {

std::optional<std::wstring> Env(std::wstring_view name) {
    static const std::map<std::wstring, std::wstring> vars = {
        {L"SystemRoot", L"C:\\windows"}, {L"USERPROFILE", L"C:\\Users\\taro"}, {L"HOMEDRIVE", L"D:"},
        {L"SUB", L"Work\\%SystemRoot%"}, {L"EMPTY", L""},  {L"HOME", L"\\\\nas\\home"},
    };
    const auto it = vars.find(std::wstring(name));
    if (it == vars.end()) return std::nullopt;
    return it->second;
}

std::string Shown(const std::wstring& w) { return std::string(w.begin(), w.end()); }

TEST(LaunchPath, TheRealPathOfAStoredPath) {
    struct Row {
        const wchar_t *stored, *folder, *real;
    } rows[] = {
        // As stored: a drive or a network path without a variable.
        {L"C:\\Work,2024", L"E:\\Tools", L"C:\\Work,2024"},
        {L"C:\\a\\.\\..\\b\\", L"E:\\Tools", L"C:\\a\\.\\..\\b\\"},
        {L"\\\\host\\share\\x", L"E:\\Tools", L"\\\\host\\share\\x"},
        {L"\\Rooted", L"E:\\Tools", L"\\Rooted"},
        {L"C:Sub", L"E:\\Tools", L"C:Sub"},
        {L"", L"E:\\Tools", L""},
        // A drive root is opened as the root.
        {L"C:", L"E:\\Tools", L"C:\\"},
        {L"z:", L"E:\\Tools", L"z:\\"},
        {L"%HOMEDRIVE%", L"E:\\Tools", L"D:\\"},
        // Variables: defined ones expanded once, undefined ones and lone signs as written.
        {L"%SystemRoot%", L"E:\\Tools", L"C:\\windows"},
        {L"%USERPROFILE%\\Documents", L"E:\\Tools", L"C:\\Users\\taro\\Documents"},
        {L"%HOME%\\%NONE%\\x", L"E:\\Tools", L"\\\\nas\\home\\%NONE%\\x"},
        {L"C:\\100%\\a", L"E:\\Tools", L"C:\\100%\\a"},
        {L"C:\\%%\\%SystemRoot", L"E:\\Tools", L"C:\\%%\\%SystemRoot"},
        {L"C:\\%NONE%SystemRoot%", L"E:\\Tools", L"C:\\%NONEC:\\windows"},
        {L"C:\\%EMPTY%x", L"E:\\Tools", L"C:\\x"},
        {L"%SUB%", L"E:\\Tools", L"E:\\Tools\\Work\\%SystemRoot%"},
        // Relative to the program's folder, its steps resolved.
        {L"Sub", L"E:\\Tools", L"E:\\Tools\\Sub"},
        {L".\\Sub", L"E:\\Tools", L"E:\\Tools\\Sub"},
        {L".", L"E:\\Tools", L"E:\\Tools"},
        {L"..\\Shared", L"E:\\Tools\\Kv", L"E:\\Tools\\Shared"},
        {L"../Shared/x", L"E:\\Tools", L"E:\\Shared\\x"},
        {L"..\\..\\..\\x", L"E:\\Tools", L"E:\\x"},
        {L"..", L"E:\\Tools", L"E:\\"},
        {L"Sub\\", L"E:\\", L"E:\\Sub"},
        {L"a\\.\\b\\..\\c", L"\\\\host\\share\\Kv", L"\\\\host\\share\\Kv\\a\\c"},
        {L"..\\..", L"\\\\host\\share\\Kv", L"\\\\host\\share\\"},
        {L"\x8868\\\x30bd", L"E:\\\x80fd", L"E:\\\x80fd\\\x8868\\\x30bd"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(RealFolderPath(r.stored, r.folder, Env), std::wstring(r.real)) << Shown(r.stored) << " in " << Shown(r.folder);
}

TEST(LaunchPath, OnlyANotThereKeepsTheExplorerFromStarting) {
    const FolderLookErrors codes{2, 3, 123, 15, 21, 161};
    struct Row {
        bool got, dir;
        unsigned error;
        FolderPresence presence;
    } rows[] = {
        {true, true, 0, FolderPresence::Exists},   {true, false, 0, FolderPresence::Missing},
        {false, false, 2, FolderPresence::Missing}, {false, false, 3, FolderPresence::Missing},
        {false, false, 123, FolderPresence::Missing}, {false, false, 15, FolderPresence::Missing},
        {false, false, 21, FolderPresence::Missing}, {false, false, 161, FolderPresence::Missing},
        {false, false, 5, FolderPresence::Unknown},  // access denied
        {false, false, 53, FolderPresence::Unknown}, // the network path was not found
        {false, false, 1231, FolderPresence::Unknown},
    };
    for (const Row& r : rows)
        EXPECT_EQ(FolderPresenceOf(r.got, r.dir, r.error, codes), r.presence) << r.got << r.dir << " " << r.error;
}

} // namespace
