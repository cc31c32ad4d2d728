#include "app/MainWindow1.h"
#include "tests/win/common/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// As the taskbar and Alt+Tab choose their windows.
bool OnTheTaskbar(HWND w) {
    const LONG_PTR ex = GetWindowLongPtrA(w, GWL_EXSTYLE);
    if (!IsWindowVisible(w)) return false;
    return (ex & WS_EX_APPWINDOW) || (!GetWindow(w, GW_OWNER) && !(ex & WS_EX_TOOLWINDOW));
}

} // namespace

TEST(SlideIn, RunsFromTheConstructorsBoundsToItsFinalPlaceAsTheProgramsTaskbarEntry) {
    TestSupport::TempFolder dir;
    TestSupport::WriteFileBytes(dir.File("DirList.txt"), "");
    TMainForm1* form = nullptr;
    Application->CreateForm(form, Widen(dir.Path + "\\Kestrovane1.exe"));
    ASSERT_EQ(Application->MainForm, form);
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

    // The tool window with its small caption, above other windows, is the program's
    // taskbar entry itself, with the application's title; no other window is.
    const LONG_PTR ex = GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(OnTheTaskbar(form->Handle()));
    char caption[64] = {};
    GetWindowTextA(form->Handle(), caption, sizeof caption);
    EXPECT_EQ(caption, Application->Title());
    TForm palette(nullptr);
    palette.BorderStyle = bsToolWindow;
    palette.Show();
    EXPECT_FALSE(OnTheTaskbar(palette.Handle()));
    delete form;
    EXPECT_EQ(Application->MainForm, nullptr);
}

namespace {

struct Place {
    int left, top, width, height;
};

Place PlaceOf(TControl* c) { return {c->Left(), c->Top(), c->Width(), c->Height()}; }

bool operator==(const Place& a, const Place& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

void PrintTo(const Place& p, std::ostream* os) {
    *os << p.left << "," << p.top << " " << p.width << "x" << p.height;
}

} // namespace

// The window's font measures 12 pixels, as on Windows: every control stands where the
// design puts it; the window's own bounds are plain pixels.
TEST(SlideIn, ControlsStandAtTheirDesignPlacesWithTheWindowsFontMetrics) {
    TestSupport::TempFolder dir;
    auto* form = new TMainForm1(Application, Widen(dir.Path + "\\Kestrovane1.exe"));
    EXPECT_EQ(PlaceOf(form->Label2), (Place{8, 12, 29, 12}));
    EXPECT_EQ(PlaceOf(form->Label3), (Place{12, 32, 6, 12}));
    EXPECT_EQ(PlaceOf(form->Button4), (Place{386, 8, 100, 21}));
    // A drop-down list decides its own height from its item height.
    EXPECT_EQ(form->MultiColComboBox1->Left(), 40);
    EXPECT_EQ(form->MultiColComboBox1->Top(), 8);
    EXPECT_EQ(form->MultiColComboBox1->Width(), 340);
    EXPECT_EQ(PlaceOf(form->GradBox1), (Place{0, 0, form->ClientWidth(), form->ClientHeight()}));
    EXPECT_EQ(form->Left(), -524);
    EXPECT_EQ(form->Width(), 386);
    EXPECT_EQ(form->Height(), 7);
    delete form;
}

// A font whose text is 13 pixels high at height -12 scales the controls and the design
// client size by 13/12, rounded to the nearest pixel, and leaves a form's bounds alone.
TEST(SlideIn, AFontThirteenPixelsHighScalesTheControlsByThirteenTwelfths) {
    TForm form(Application);
    form.Font()->SetName("IPAPGothic");
    form.Font()->SetHeight(-12);
    HDC screen = GetDC(nullptr);
    SIZE sz{};
    {
        ScopedSelect sel(screen, form.Font()->Handle());
        GetTextExtentPoint32A(screen, "0", 1, &sz);
    }
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(sz.cy, 13) << "the test needs IPAPGothic installed";
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(386, 8, 100, 21);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetBounds(8, 12, 29, 12);
    form.DesignClientWidth = 492;
    form.DesignClientHeight = 37;
    form.SetBounds(-524, 20, 386, 7);
    form.ScaleForDesign(96, 12);
    EXPECT_EQ(PlaceOf(button), (Place{418, 9, 108, 23}));
    EXPECT_EQ(PlaceOf(label), (Place{9, 13, 31, 13}));
    EXPECT_EQ(form.DesignClientWidth, 533);
    EXPECT_EQ(form.DesignClientHeight, 40);
    EXPECT_EQ(form.Left(), -524);
    EXPECT_EQ(form.Width(), 386);
    EXPECT_EQ(form.Height(), 7);
}
