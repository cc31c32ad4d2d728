#include "app/portable/InstanceName.h"

#include <gtest/gtest.h>

#include <set>

TEST(InstanceName, OnePathOneNameInTheSessionWithoutBackslashes) {
    const std::u16string paths[] = {u"C:\\TOOLS\\DIRLIST.TXT", u"C:\\TOOLS2\\DIRLIST.TXT",
                                    u"D:\\TOOLS\\DIRLIST.TXT", u"\\\\HOST\\SHARE\\DIRLIST.TXT",
                                    u"C:\\\u8868\\DIRLIST.TXT", u"C:\\\u8968\\DIRLIST.TXT", u""};
    std::set<std::string> names;
    for (const std::u16string& p : paths) {
        const std::string n = InstanceObjectName(p);
        EXPECT_EQ(n, InstanceObjectName(p));
        EXPECT_EQ(n.rfind("Local\\Kestrovane1.", 0), 0u) << n;
        EXPECT_EQ(n.size(), 18u + 16u) << n;
        EXPECT_EQ(n.find_first_not_of("0123456789abcdef", 18), std::string::npos) << n;
        names.insert(n);
    }
    EXPECT_EQ(names.size(), std::size(paths));  // the high byte of a character counts too
    // FNV-1a of no bytes is its offset basis.
    EXPECT_EQ(InstanceObjectName(u""), "Local\\Kestrovane1.cbf29ce484222325");
}
