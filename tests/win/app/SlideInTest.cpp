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

namespace {

// The height of "0" in the window's font on the screen, which decides the design scaling.
int MeasuredTextHeight(TMainForm1& form) {
    HDC screen = GetDC(nullptr);
    SIZE sz{};
    {
        ScopedSelect sel(screen, form.Font()->Handle());
        GetTextExtentPoint32A(screen, "0", 1, &sz);
    }
    ReleaseDC(nullptr, screen);
    return sz.cy;
}

} // namespace

TEST(SlideIn, ControlsFollowTheMeasuredTextHeightButTheWindowBoundsDoNot) {
    TestSupport::TempFolder dir;
    auto* form = new TMainForm1(Application);
    form->SetExeFolder(dir.Path);
    const int th = MeasuredTextHeight(*form);
    ASSERT_GT(th, 0);
    struct Row {
        TControl* control;
        int left, top, width, height;
        bool checkHeight; // a drop-down list decides its own height from its item height
    } rows[] = {
        {form->Label2, 8, 12, 29, 12, true},
        {form->Label3, 12, 32, 6, 12, true},
        {form->Button4, 386, 8, 100, 21, true},
        {form->MultiColComboBox1, 40, 8, 340, 21, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.control->Name);
        EXPECT_EQ(r.control->Left(), MulDiv(r.left, th, 12));
        EXPECT_EQ(r.control->Top(), MulDiv(r.top, th, 12));
        EXPECT_EQ(r.control->Width(), MulDiv(r.width, th, 12));
        if (r.checkHeight) {
            EXPECT_EQ(r.control->Height(), MulDiv(r.height, th, 12));
        }
    }
    // The panel fills whatever client area the window has.
    EXPECT_EQ(form->GradBox1->Left(), 0);
    EXPECT_EQ(form->GradBox1->Top(), 0);
    EXPECT_EQ(form->GradBox1->Width(), form->ClientWidth());
    EXPECT_EQ(form->GradBox1->Height(), form->ClientHeight());
    // Plain pixels, never scaled.
    EXPECT_EQ(form->Left(), -524);
    EXPECT_EQ(form->Width(), 386);
    EXPECT_EQ(form->Height(), 7);
    delete form;
}
