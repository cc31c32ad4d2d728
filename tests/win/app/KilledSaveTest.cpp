#include "tests/win/common/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ExeFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.find_last_of('\\'));
}

} // namespace

TEST(ListFileSave, AProcessKilledMidSaveLeavesTheOldFileOrTheNewOneNeverAMix) {
    TestSupport::TempFolder dir;
    const std::string list = dir.Path + "/DirList.txt";
    std::string oldContent;
    for (int i = 0; i < 20000; ++i) oldContent += "\"old " + std::to_string(i) + "\",\"C:\\old\\" + std::to_string(i) + "\"\r\n";
    std::string newContent;
    for (int i = 0; i < 20000; ++i) newContent += "\"new " + std::to_string(i) + "\",\"C:\\new\\" + std::to_string(i) + "\"\r\n";

    const std::string worker = ExeFolder() + "\\SaveWorker.exe";
    ASSERT_TRUE(TestSupport::FileExists(worker)) << worker;
    int sawNew = 0;
    for (int round = 0; round < 12; ++round) {
        TestSupport::WriteFileBytes(list, oldContent);
        std::string cmd = "\"" + worker + "\" \"" + list + "\" 20000";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        // A Wine process takes from a fraction of a second to several to start on a busy
        // machine: the kill is timed from the worker's first temporary file, so it lands
        // in the first save or somewhere in a later one.
        for (int waited = 0; waited < 15000 && !TestSupport::FileExists(list + ".saving"); waited += 5) Sleep(5);
        Sleep(37 * round);
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        const std::string now = TestSupport::ReadFileBytes(list);
        const bool isOld = now == oldContent, isNew = now == newContent;
        EXPECT_TRUE(isOld || isNew) << "round " << round << ": " << now.size() << " bytes";
        sawNew += isNew;
        DeleteFileA((list + ".saving").c_str());
    }
    // The kills landed at different moments; at least some saves had finished.
    EXPECT_GT(sawNew, 0);
}
