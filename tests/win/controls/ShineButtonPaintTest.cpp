#include "controls/ShineSpdBtn.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class TPaintButton : public TShineSpeedButton {
public:
    using TShineSpeedButton::FMachine;
    TPaintButton(int w, int h) : TShineSpeedButton(nullptr) {
        SetBounds(0, 0, w, h);
        // Plain white faces and no frames unless a test wants them.
        Colors()->SetColor(clWhite);
        PressedColors()->SetColor(clWhite);
        SetUpFrame(false);
        SetDownFrame(false);
        SetActiveFrame(false);
    }
};

// Paints the button into a 32-bit image that starts out as `ground`.
std::unique_ptr<TBitmap> PaintedImage(TShineSpeedButton& b, std::uint32_t ground = 0x00336699) {
    auto target = std::make_unique<TBitmap>(b.Width(), b.Height());
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            target->ScanLine(y)[x] = ground;
    b.PaintOn(target->DC());
    return target;
}

// A 4 x 4 glyph: a red 2 x 2 block with a blue pixel, on the olive key colour.
void SetSmallGlyph(TShineSpeedButton& b) {
    TBitmap g(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            g.ScanLine(y)[x] = 0x00808000;
    g.ScanLine(1)[1] = g.ScanLine(1)[2] = g.ScanLine(2)[1] = 0x00FF0000;
    g.ScanLine(2)[2] = 0x000000FF;
    b.SetGlyph(&g);
}

TEST(ShineButtonPaint, VerticalBlackToWhiteGradientHasGreyLevelIInRowI) {
    TPaintButton b(3, 256);
    b.Colors()->SetColor(clBlack);
    b.Colors()->SetGradColor(clWhite);
    b.Colors()->SetGradVertical(true);
    b.Colors()->SetGradation(true);
    auto img = PaintedImage(b);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 3; ++x)
            ASSERT_EQ(img->ScanLine(y)[x], 0x010101u * y) << x << "," << y;
}

TEST(ShineButtonPaint, HorizontalGradientRunsFromColorToGradColor) {
    TPaintButton b(256, 2);
    b.Colors()->SetColor(clRed);
    b.Colors()->SetGradColor(clBlue);
    b.Colors()->SetGradation(true);
    auto img = PaintedImage(b);
    EXPECT_EQ(img->ScanLine(1)[0], 0x00FF0000u);
    EXPECT_EQ(img->ScanLine(1)[255], 0x000000FFu);
    EXPECT_EQ(img->ScanLine(0)[128],
              (std::uint32_t(255 - 255 * 128 / 255) << 16) | (255 * 128 / 255));
}

TEST(ShineButtonPaint, PressedStateShiftsGlyphAndCaptionByOnePixel) {
    TPaintButton b(60, 24);
    SetSmallGlyph(b);
    b.SetCaption("Ag");
    b.FMachine.V.State = sbsUp;
    auto up = PaintedImage(b);
    b.FMachine.V.State = sbsDown;
    auto down = PaintedImage(b);
    int differing = 0;
    for (int y = 0; y + 1 < 24; ++y)
        for (int x = 0; x + 1 < 60; ++x) {
            ASSERT_EQ(down->ScanLine(y + 1)[x + 1], up->ScanLine(y)[x]) << x << "," << y;
            differing += up->ScanLine(y)[x] != 0x00FFFFFF;
        }
    EXPECT_GT(differing, 10); // glyph and caption were drawn at all
}

TEST(ShineButtonPaint, GlyphLeavesOutItsKeyColour) {
    TPaintButton b(8, 8);
    SetSmallGlyph(b); // 4 x 4, centred at (2, 2)
    auto img = PaintedImage(b);
    EXPECT_EQ(img->ScanLine(2)[2], 0x00FFFFFFu);
    EXPECT_EQ(img->ScanLine(3)[3], 0x00FF0000u);
    EXPECT_EQ(img->ScanLine(4)[4], 0x000000FFu);
}

TEST(ShineButtonPaint, DisabledDefaultGlyphIsEmbossedThroughItsMask) {
    TPaintButton b(9, 9);
    TBitmap g(3, 3); // one opaque centre pixel on a black key
    g.ScanLine(1)[1] = 0x00FF0000;
    b.SetGlyph(&g); // drawn at (3, 3); its edge mask is the 2 x 2 block at the top left
    b.SetDisabledHighlight(clLime);
    b.SetDisabledShadow(clBlue);
    b.SetEnabled(false);
    auto img = PaintedImage(b);
    // clang-format off
    const std::vector<std::string> expected{
        ".........",
        ".........",
        ".........",
        "...SS....",
        "...SSH...",
        "....HH...",
        ".........",
        ".........",
        "........."};
    // clang-format on
    for (int y = 0; y < 9; ++y) {
        std::string row;
        for (int x = 0; x < 9; ++x) {
            const std::uint32_t p = img->ScanLine(y)[x];
            row += p == 0x000000FF ? 'S' : p == 0x0000FF00 ? 'H' : p == 0x00FFFFFF ? '.' : '?';
        }
        EXPECT_EQ(row, expected[y]) << "row " << y;
    }
}

TEST(ShineButtonPaint, ActiveStateDrawsTheLitGlyph) {
    TPaintButton b(8, 8);
    SetSmallGlyph(b); // drawn at (2, 2)
    b.SetShineColor(clLime);
    b.FMachine.V.State = sbsActive; // aiFrameLight: a one-pixel outline in the shine colour
    auto img = PaintedImage(b);
    EXPECT_EQ(img->ScanLine(2)[3], 0x0000FF00u);
    EXPECT_EQ(img->ScanLine(3)[2], 0x0000FF00u);
    EXPECT_EQ(img->ScanLine(2)[2], 0x00FFFFFFu);
    EXPECT_EQ(img->ScanLine(3)[3], 0x00FF0000u);
}

TEST(ShineButtonPaint, DisabledCaptionIsEmbossed) {
    TPaintButton b(40, 20);
    b.SetCaption("I");
    b.SetDisabledHighlight(clLime);
    b.SetDisabledShadow(clBlue);
    b.SetEnabled(false);
    b.FMachine.V.Pressing = true;
    auto img = PaintedImage(b);
    EXPECT_EQ(b.State(), sbsDisabled);
    EXPECT_FALSE(b.FMachine.V.Pressing);
    // Every shadow pixel whose right-down neighbour is not shadow shows the highlight there.
    int shadow = 0, lit = 0;
    for (int y = 0; y + 1 < 20; ++y)
        for (int x = 0; x + 1 < 40; ++x) {
            if (img->ScanLine(y)[x] != 0x000000FF) continue;
            ++shadow;
            const std::uint32_t below = img->ScanLine(y + 1)[x + 1];
            if (below != 0x000000FF) {
                EXPECT_EQ(below, 0x0000FF00u) << x << "," << y;
                ++lit;
            }
        }
    EXPECT_GT(shadow, 3);
    EXPECT_GT(lit, 0);
}

TEST(ShineButtonPaint, TransparentButtonPaintsNoBackground) {
    TPaintButton b(10, 10);
    b.SetTransparent(true);
    auto img = PaintedImage(b, 0x00336699);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(img->ScanLine(y)[x], 0x00336699u);
    b.SetTransparent(false);
    auto opaque = PaintedImage(b, 0x00336699);
    EXPECT_EQ(opaque->ScanLine(5)[5], 0x00FFFFFFu);
}

// Frames as drawn: H highlight, S shadow, D dark shadow, . face; mostly of a 10 x 8 button.
struct FrameCase {
    const char* name;
    TFrameType type;
    TShineButtonState state;
    std::vector<std::string> rows;
};

TEST(ShineButtonPaint, FramesFollowTheLineConvention) {
    // clang-format off
    const std::vector<FrameCase> cases{
        {"normal raised", ftNormalFrame, sbsUp,
         {"HHHHHHHHH.",
          "H.......SD",
          "H.......SD",
          "H.......SD",
          "H.......SD",
          "H.......SD",
          "HSSSSSSSSD",
          ".DDDDDDDDD"}},
        {"normal pressed", ftNormalFrame, sbsDown,
         {"DDDDDDDDD.",
          "DSSSSSSSSH",
          "DS.......H",
          "DS.......H",
          "DS.......H",
          "DS.......H",
          "DS.......H",
          ".HHHHHHHHH"}},
        {"flat pressed", ftFlatFrame, sbsDown,
         {"SSSSSSSSS.",
          "S........H",
          "S........H",
          "S........H",
          "S........H",
          "S........H",
          "S........H",
          ".HHHHHHHHH"}},
        {"flat raised", ftFlatFrame, sbsActive,
         {"HHHHHHHHH.",
          "H........S",
          "H........S",
          "H........S",
          "H........S",
          "H........S",
          "H........S",
          ".SSSSSSSSS"}},
        {"enclosed pressed", ftEnclosedFrame, sbsActiveDown,
         {"DDDDDDDDDD",
          "DSSSSSSS.D",
          "DS......HD",
          "DS......HD",
          "DS......HD",
          "DS......HD",
          "D.HHHHHHHD",
          "DDDDDDDDDD"}},
        {"enclosed raised", ftEnclosedFrame, sbsUp,
         {"DDDDDDDDDD",
          "DHHHHHHH.D",
          "DH......SD",
          "DH......SD",
          "DH......SD",
          "DH......SD",
          "D.SSSSSSSD",
          "DDDDDDDDDD"}},
        // The outline is the whole border, down to a single pixel.
        {"enclosed 1 x 1", ftEnclosedFrame, sbsUp, {"D"}},
        {"enclosed 1 x 3", ftEnclosedFrame, sbsUp, {"D", "D", "D"}},
        {"enclosed 3 x 1", ftEnclosedFrame, sbsUp, {"DDD"}},
        {"enclosed 3 x 3", ftEnclosedFrame, sbsUp, {"DDD", "D.D", "DDD"}},
    };
    // clang-format on
    for (const FrameCase& c : cases) {
        const int w = static_cast<int>(c.rows[0].size()), h = static_cast<int>(c.rows.size());
        TPaintButton b(w, h);
        b.SetUpFrame(true);
        b.SetDownFrame(true);
        b.SetActiveFrame(true);
        b.SetFrameType(c.type);
        for (TShineBtnColors* set : {b.Colors(), b.PressedColors()}) {
            set->SetHighlight(clYellow);
            set->SetShadow(clNavy);
            set->SetDarkShadow(clRed);
        }
        // The enclosed outline keeps the raised set's dark shadow in both looks.
        if (c.type == ftEnclosedFrame) b.PressedColors()->SetDarkShadow(clLime);
        b.FMachine.V.State = c.state;
        auto img = PaintedImage(b);
        for (int y = 0; y < h; ++y) {
            std::string row;
            for (int x = 0; x < w; ++x) {
                switch (img->ScanLine(y)[x]) {
                case 0x00FFFF00:
                    row += 'H';
                    break;
                case 0x00000080:
                    row += 'S';
                    break;
                case 0x00FF0000:
                    row += 'D';
                    break;
                case 0x00FFFFFF:
                    row += '.';
                    break;
                default:
                    row += '?';
                }
            }
            EXPECT_EQ(row, c.rows[y]) << c.name << " row " << y;
        }
    }
}

TEST(ShineButtonPaint, UpFrameOffStillFramesTheActiveState) {
    TPaintButton b(10, 8);
    b.SetActiveFrame(true);
    b.Colors()->SetDarkShadow(clRed);
    b.FMachine.V.State = sbsUp;
    EXPECT_EQ(PaintedImage(b)->ScanLine(7)[9], 0x00FFFFFFu);
    b.FMachine.V.State = sbsActive;
    EXPECT_EQ(PaintedImage(b)->ScanLine(7)[9], 0x00FF0000u);
}

} // namespace
