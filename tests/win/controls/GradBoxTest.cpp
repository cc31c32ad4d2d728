#include "controls/GradBox.h"
#include "tests/win/common/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace {

// A gradient box painted into a memory bitmap, its pixels read back.
struct Painted {
    Painted(int w, int h, const std::function<void(TGradBox&)>& setup, COLORREF ground = RGB(1, 2, 3)) {
        screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bmp = CreateCompatibleBitmap(screen, w + 10, h + 10);
        old = SelectObject(dc, bmp);
        HBRUSH b = CreateSolidBrush(ground);
        RECT all{0, 0, w + 10, h + 10};
        FillRect(dc, &all, b);
        DeleteObject(b);
        box = std::make_unique<TGradBox>(nullptr);
        box->SetBounds(0, 0, w, h);
        box->OnPaint = [this](TObject*) { ++paints; };
        setup(*box);
        box->PaintOn(dc);
    }
    ~Painted() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    // The fills one more paint hands to the system, as a metafile records them (a filled
    // rectangle is a pattern block transfer there); the paint handler stays out of it.
    int Fills() const {
        HDC emf = CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
        const auto handler = std::exchange(box->OnPaint, nullptr);
        box->PaintOn(emf);
        box->OnPaint = handler;
        HENHMETAFILE recorded = CloseEnhMetaFile(emf);
        int count = 0;
        EnumEnhMetaFile(
            nullptr, recorded,
            [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM counter) -> int {
                if (record->iType == EMR_BITBLT) ++*reinterpret_cast<int*>(counter);
                return 1;
            },
            &count, nullptr);
        DeleteEnhMetaFile(recorded);
        return count;
    }
    HDC screen, dc;
    HBITMAP bmp;
    HGDIOBJ old;
    std::unique_ptr<TGradBox> box;
    int paints = 0;
};

COLORREF Grey(int i) { return RGB(i, i, i); }

void BlackToWhite(TGradBox& b) {
    b.SetTopColor(clBlack);
    b.SetLastColor(clWhite);
}

} // namespace

TEST(GradBox, RowsShowTheTableEntryOfTheLastBandOverThem) {
    Painted p37(10, 37, BlackToWhite);
    EXPECT_EQ(p37.At(5, 0), Grey(7));
    EXPECT_EQ(p37.At(5, 1), Grey(14));
    EXPECT_EQ(p37.At(5, 2), Grey(21));
    EXPECT_EQ(p37.At(5, 36), Grey(255));
    EXPECT_EQ(p37.Fills(), 256);
    Painted p255(4, 255, BlackToWhite);
    for (int y : {0, 1, 100, 253}) EXPECT_EQ(p255.At(2, y), Grey(y + 1)) << y;
    EXPECT_EQ(p255.At(2, 254), Grey(255));
    Painted columns(37, 6, [](TGradBox& b) {
        BlackToWhite(b);
        b.SetGradStyle(gsRightLeft);  // reversed: white first
    });
    EXPECT_EQ(columns.At(0, 3), Grey(255 - 7));
    EXPECT_EQ(columns.At(36, 3), Grey(0));
}

TEST(GradBox, TheOutlineLiesOnTheOutermostPixelsAndNoBandWithoutAStyle) {
    Painted p(20, 12, [](TGradBox& b) {
        b.SetGradStyle(gsNone);
        b.SetDrawOutLine(true);
        b.SetOutLineColor(clGreen);
    });
    EXPECT_EQ(p.Fills(), 0);
    for (auto [x, y] : {std::pair{0, 0}, {19, 0}, {0, 11}, {19, 11}, {10, 0}, {0, 6}, {19, 6}, {10, 11}})
        EXPECT_EQ(p.At(x, y), RGB(0, 128, 0)) << x << "," << y;
    EXPECT_EQ(p.At(10, 6), RGB(1, 2, 3));  // the parent's background shows through
    EXPECT_EQ(p.At(20, 6), RGB(1, 2, 3));
}

// The first paint ends with a clear brush for the caption; the next one sets the same
// colour again for its bands, and they must be filled all the same.
TEST(GradBox, EveryPaintFillsItsBandsAlsoInTheColourThePaintBeforeEndedWith) {
    Painted p(10, 6, [](TGradBox& b) {
        b.SetTopColor(clRed);
        b.SetLastColor(clRed);
        b.SetDrawOutLine(false);
    });
    EXPECT_EQ(p.At(5, 3), RGB(255, 0, 0));
    HBRUSH ground = CreateSolidBrush(RGB(1, 2, 3));
    RECT all{0, 0, 20, 16};
    FillRect(p.dc, &all, ground);
    DeleteObject(ground);
    p.box->PaintOn(p.dc);
    EXPECT_EQ(p.paints, 2);
    EXPECT_EQ(p.At(5, 3), RGB(255, 0, 0));
}

TEST(GradBox, SettersRepaintOnlyWhenTheValueMattersNow) {
    struct Counting : TGradBox {
        using TGradBox::TGradBox;
        int invalidates = 0;
        void Invalidate() override { ++invalidates; }
    } b(nullptr);
    struct { std::function<void()> set; int repaints; } rows[] = {
        {[&] { b.SetTopColor(clRed); }, 1},
        {[&] { b.SetTopColor(clRed); }, 0},          // equal: nothing
        {[&] { b.SetOutLineColor(clBlue); }, 0},     // outline off
        {[&] { b.SetBackFont(clBlue); }, 0},         // 3-D off
        {[&] { b.SetFontDepth(4); }, 0},
        {[&] { b.SetFont3D(true); }, 1},
        {[&] { b.SetFontDepth(5); }, 1},
        {[&] { b.SetDrawOutLine(true); }, 1},
        {[&] { b.SetOutLineColor(clRed); }, 1},
        {[&] { b.SetCaption("x"); }, 1},
    };
    for (auto& r : rows) {
        b.invalidates = 0;
        r.set();
        EXPECT_EQ(b.invalidates, r.repaints);
    }
    EXPECT_EQ(b.OutLineColor(), clRed);
    EXPECT_EQ(b.FontDepth(), 5);
}

TEST(GradBox, CaptionCopiesGoUnderTheCaptionAtTheirOffsets) {
    // A caption of one solid block in a large font; the box has no gradient.
    auto caption = [](TGradBox& b) {
        b.SetGradStyle(gsNone);
        b.SetCaption("■");
        b.Font()->SetHeight(-40);
        b.Font()->SetColor(clBlue);
        b.SetBackFont(clRed);
        b.SetCaptionLeft(10);
        b.SetCaptionTop(10);
    };
    Painted plain(100, 80, caption, RGB(0, 0, 0));
    // Find the block's bounds in the plain caption.
    int l = 1000, t = 1000, r = -1, btm = -1;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x)
            if (plain.At(x, y) == RGB(0, 0, 255)) l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), btm = std::max(btm, y);
    ASSERT_GE(r, l);
    const int cx = (l + r) / 2, cy = (t + btm) / 2;
    struct Row {
        const char* name;
        std::function<void(TGradBox&)> style;
        TPoint red;      // where only the copy shows
        TPoint notRed;   // where no copy may show
    } rows[] = {
        {"low 3-D, depth 3", [](TGradBox& b) { b.SetFont3D(true); b.SetStyle3D(fsLow3D); b.SetFontDepth(3); }, {r + 2, cy}, {l - 1, cy}},
        {"raise 3-D, depth 3", [](TGradBox& b) { b.SetFont3D(true); b.SetStyle3D(fsRaise3D); b.SetFontDepth(3); }, {l - 2, cy}, {r + 1, cy}},
        {"low shadow, depth 3", [](TGradBox& b) { b.SetFont3D(true); b.SetStyle3D(fsLowShadow); b.SetFontDepth(3); }, {r + 3, btm + 3}, {r + 1, t}},
        {"raise shadow, depth 2", [](TGradBox& b) { b.SetFont3D(true); b.SetStyle3D(fsRaiseShadow); b.SetFontDepth(2); }, {l - 2, t - 2}, {r + 1, cy}},
    };
    for (auto& row : rows) {
        Painted p(100, 80, [&](TGradBox& b) { caption(b); row.style(b); }, RGB(0, 0, 0));
        EXPECT_EQ(p.At(cx, cy), RGB(0, 0, 255)) << row.name << ": the caption is on top";
        EXPECT_EQ(p.At(row.red.X, row.red.Y), RGB(255, 0, 0)) << row.name;
        EXPECT_NE(p.At(row.notRed.X, row.notRed.Y), RGB(255, 0, 0)) << row.name;
    }
    // Depth 0 with a 3-D style draws no extrusion; a shadow lies exactly beneath.
    Painted none(100, 80, [&](TGradBox& b) { caption(b); b.SetFont3D(true); b.SetStyle3D(fsLow3D); b.SetFontDepth(0); }, RGB(0, 0, 0));
    EXPECT_EQ(none.At(r + 2, cy), RGB(0, 0, 0));  // beyond the smoothed edge
    EXPECT_EQ(none.At(cx, cy), RGB(0, 0, 255));
    // Disabled: white one pixel down and right, grey on top, whatever the 3-D style says.
    Painted off(100, 80, [&](TGradBox& b) { caption(b); b.SetFont3D(true); b.SetEnabled(false); }, RGB(0, 0, 0));
    EXPECT_EQ(off.At(cx, cy), RGB(128, 128, 128));
    // The white copy shows past the grey's right edge (smoothed edges blend the two).
    EXPECT_GT(GetRValue(off.At(r + 1, cy)), 128);
    EXPECT_EQ(off.At(l - 2, cy), RGB(0, 0, 0));
}

// The caption's rectangle runs from (CaptionLeft, CaptionTop) to the box's right and bottom
// edges: words wrap at the box's right edge and the text is clipped at its bottom.
TEST(GradBox, TheCaptionWrapsAtTheBoxsRightEdgeAndIsClippedAtItsBottom) {
    auto caption = [](const char* text, int left, int top) {
        return [=](TGradBox& b) {
            b.SetGradStyle(gsNone);
            b.SetCaption(text);
            b.Font()->SetHeight(-20);
            b.Font()->SetColor(clBlue);
            b.SetCaptionLeft(left);
            b.SetCaptionTop(top);
        };
    };
    const COLORREF blue = RGB(0, 0, 255);
    // Rows and columns of the bitmap (10 pixels larger than the box) that hold ink.
    struct Ink { int left = 1000, top = 1000, right = -1, bottom = -1; };
    auto inkOf = [&](const Painted& p, int y0 = 0) {
        Ink k;
        for (int y = y0; y < 70; ++y)
            for (int x = 0; x < 110; ++x)
                if (p.At(x, y) == blue)
                    k.left = std::min(k.left, x), k.top = std::min(k.top, y), k.right = std::max(k.right, x), k.bottom = std::max(k.bottom, y);
        return k;
    };
    // Two blocks fit in the 70 pixels from x = 30 to the right edge, four do not.
    const Ink word = inkOf(Painted(100, 60, caption("■■", 30, 5)));
    ASSERT_GE(word.right, word.left);
    ASSERT_LT(word.right, 100);
    const Ink wrapped = inkOf(Painted(100, 60, caption("■■ ■■", 30, 5)));
    EXPECT_GE(wrapped.left, 30);
    EXPECT_LE(wrapped.right, word.right) << "the second word wraps instead of running on";
    EXPECT_GT(wrapped.bottom, word.bottom + 10) << "the second word stands on a line of its own";
    // Starting 10 pixels above the bottom edge, the text is cut off there.
    const Ink low = inkOf(Painted(100, 60, caption("■■", 30, 50)), 50);
    EXPECT_GE(low.bottom, 50) << "the top of the caption shows";
    EXPECT_LT(low.bottom, 60) << "nothing below the box";
}
