#include "app/MainWindow1.h"
#include "tests/win/common/TestSupport.h"

#include <gtest/gtest.h>

TEST(SlideIn, RunsFromTheConstructorsBoundsToItsFinalPlace) {
    TestSupport::TempFolder dir;
    TestSupport::WriteFileBytes(dir.File("DirList.txt"), "");
    auto* form = new TMainForm1(Application);
    form->SetExeFolder(dir.Path);
    EXPECT_EQ(form->Left(), -524);
    EXPECT_EQ(form->Top(), 20);
    EXPECT_EQ(form->Height(), 7);
    EXPECT_EQ(form->Width(), 386);
    int ticks = 0, moves = 0, grows = 0, widens = 0;
    auto prev = form->BoundsRect();
    form->Timer1->SetOnTimer([&](TObject* s) {
        ++ticks;
        form->Timer1Timer(s);
        auto now = form->BoundsRect();
        if (now.Left != prev.Left) ++moves;
        if (now.Height() != prev.Height()) ++grows;
        if (now.Width() != prev.Width()) ++widens;
        prev = now;
    });
    form->Show();
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return !form->Timer1->Enabled(); }, 5000));
    EXPECT_EQ(moves, 17);
    EXPECT_EQ(grows, 18);
    EXPECT_EQ(widens, 14);
    EXPECT_EQ(ticks, 50);
    EXPECT_EQ(form->Left(), 20);
    EXPECT_EQ(form->Top(), 20);
    EXPECT_EQ(form->Width(), 498);
    EXPECT_EQ(form->Height(), 61);
    RECT r;
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 498);
    EXPECT_EQ(r.bottom - r.top, 61);
    delete form;
}
