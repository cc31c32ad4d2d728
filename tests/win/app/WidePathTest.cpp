#include "app/WidePath.h"
#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <string>

// The list file is found beside an executable whose path code page 932 cannot hold by the
// folder's UTF-16 path.
TEST(WidePath, TheExecutablesFolderIsTakenFromItsUnicodePath) {
    struct Row {
        const wchar_t* exe;
        const wchar_t* folder;
    } rows[] = {
        {L"C:\\Tools\\Kestrovane1.exe", L"C:\\Tools"},
        {L"C:\\Kestrovane1.exe", L"C:\\"},
        {L"C:\\\u8868\\\u30BD\\Kestrovane1.exe", L"C:\\\u8868\\\u30BD"},
        {L"\\\\server\\share\\Kestrovane1.exe", L"\\\\server\\share"},
        {L"C:\\Users\\\uC0AC\uC6A9\uC790\\Kestrovane1.exe", L"C:\\Users\\\uC0AC\uC6A9\uC790"},
        {L"D:\\J\u00FCrgen\\Tools\\Kestrovane1.exe", L"D:\\J\u00FCrgen\\Tools"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(NarrowShown(r.exe));
        EXPECT_EQ(FolderOf(r.exe), r.folder);
    }
}
