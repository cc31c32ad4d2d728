#include "controls/ShineSpdBtn.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "tests/win/common/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

bool Same(const TShineColorValues& a, const TShineColorValues& b) {
    return a.Color == b.Color && a.Highlight == b.Highlight && a.Shadow == b.Shadow &&
           a.DarkShadow == b.DarkShadow && a.GradColor == b.GradColor &&
           a.GradVertical == b.GradVertical && a.Gradation == b.Gradation;
}

// Counts repaint requests and paints.
class TTestButton : public TShineSpeedButton {
public:
    using TShineSpeedButton::TShineSpeedButton;
    void Invalidate() override {
        ++Invalidates;
        TShineSpeedButton::Invalidate();
    }
    void Paint() override {
        ++Paints;
        TShineSpeedButton::Paint();
    }
    int Invalidates = 0, Paints = 0;
};

TEST(ShineButton, StartsWithItsPublishedDefaults) {
    TTestButton b(nullptr);
    EXPECT_EQ(b.Width(), 25);
    EXPECT_EQ(b.Height(), 25);
    EXPECT_EQ(b.Caption(), "");
    EXPECT_EQ(b.State(), sbsUp);
    EXPECT_EQ(b.ControlStyle, TControlStyle(csCaptureMouse | csOpaque | csDoubleClicks));
    EXPECT_EQ(b.GroupIndex(), 0);
    EXPECT_FALSE(b.Down());
    EXPECT_FALSE(b.ClickDownHook());
    EXPECT_FALSE(b.AccelCharDown());
    EXPECT_EQ(b.FrameType(), ftNormalFrame);
    EXPECT_FALSE(b.Transparent());
    EXPECT_TRUE(b.ActiveFrame());
    EXPECT_TRUE(b.UpFrame());
    EXPECT_TRUE(b.DownFrame());
    EXPECT_EQ(b.ActiveImage(), aiFrameLight);
    EXPECT_EQ(b.DisabledImage(), diDefault);
    EXPECT_EQ(b.DisabledHighlight(), clBtnHighlight);
    EXPECT_EQ(b.DisabledShadow(), clBtnShadow);
    EXPECT_EQ(b.ShineColor(), 0x0000FFFFu);
    EXPECT_EQ(b.Font()->Color(), clBtnText);
    EXPECT_EQ(b.ActiveFont()->Color(), clHighlight);
    EXPECT_EQ(b.FontHighlight(), 0x1FFFFFFFu);
    EXPECT_EQ(b.FontShadow(), 0x1FFFFFFFu);
    EXPECT_FALSE(b.AllowAllUp());
    EXPECT_EQ(b.Layout(), blGlyphLeft);
    EXPECT_EQ(b.Margin(), -1);
    EXPECT_EQ(b.Spacing(), 4);
    EXPECT_TRUE(b.Glyph()->Empty());
    EXPECT_EQ(b.Glyph()->TransparentColor(), 0x00008080u);
    EXPECT_FALSE(b.ActiveButtonTimer()->Enabled());
    EXPECT_EQ(b.ActiveButtonTimer()->Interval(), 200u);

    // The two looks differ only in their face colour.
    TShineColorValues raised = b.Colors()->Values(), pressed = b.PressedColors()->Values();
    EXPECT_EQ(raised.Color, clBtnFace);
    EXPECT_EQ(pressed.Color, clBtnHighlight);
    for (const TShineColorValues& v : {raised, pressed}) {
        EXPECT_EQ(v.Highlight, clBtnHighlight);
        EXPECT_EQ(v.Shadow, clBtnShadow);
        EXPECT_EQ(v.DarkShadow, clWindowFrame);
        EXPECT_EQ(v.GradColor, 0x00FF0000u);
        EXPECT_FALSE(v.GradVertical);
        EXPECT_FALSE(v.Gradation);
    }
}

TEST(ShineButton, SettersRepaintOnlyForADifferentValue) {
    struct Case {
        const char* name;
        std::function<void(TTestButton&)> sameValue, otherValue;
    };
    const std::vector<Case> cases{
        {"FrameType", [](auto& b) { b.SetFrameType(ftNormalFrame); },
         [](auto& b) { b.SetFrameType(ftFlatFrame); }},
        {"ActiveFrame", [](auto& b) { b.SetActiveFrame(true); },
         [](auto& b) { b.SetActiveFrame(false); }},
        {"UpFrame", [](auto& b) { b.SetUpFrame(true); }, [](auto& b) { b.SetUpFrame(false); }},
        {"DownFrame", [](auto& b) { b.SetDownFrame(true); },
         [](auto& b) { b.SetDownFrame(false); }},
        {"ClickDownHook", [](auto& b) { b.SetClickDownHook(false); },
         [](auto& b) { b.SetClickDownHook(true); }},
        {"AccelCharDown", [](auto& b) { b.SetAccelCharDown(false); },
         [](auto& b) { b.SetAccelCharDown(true); }},
        {"ActiveImage", [](auto& b) { b.SetActiveImage(aiFrameLight); },
         [](auto& b) { b.SetActiveImage(aiXorLight); }},
        {"DisabledImage", [](auto& b) { b.SetDisabledImage(diDefault); },
         [](auto& b) { b.SetDisabledImage(diGrayscale); }},
        {"DisabledHighlight", [](auto& b) { b.SetDisabledHighlight(clBtnHighlight); },
         [](auto& b) { b.SetDisabledHighlight(clWhite); }},
        {"DisabledShadow", [](auto& b) { b.SetDisabledShadow(clBtnShadow); },
         [](auto& b) { b.SetDisabledShadow(clGray); }},
        {"ShineColor", [](auto& b) { b.SetShineColor(0xFFFF); },
         [](auto& b) { b.SetShineColor(clRed); }},
        {"Layout", [](auto& b) { b.SetLayout(blGlyphLeft); },
         [](auto& b) { b.SetLayout(blGlyphBottom); }},
        {"Margin", [](auto& b) { b.SetMargin(-1); }, [](auto& b) { b.SetMargin(-7); }},
        {"Spacing", [](auto& b) { b.SetSpacing(4); }, [](auto& b) { b.SetSpacing(-3); }},
        {"Colors.Color", [](auto& b) { b.Colors()->SetColor(clBtnFace); },
         [](auto& b) { b.Colors()->SetColor(clRed); }},
        {"Colors.Gradation", [](auto& b) { b.Colors()->SetGradation(false); },
         [](auto& b) { b.Colors()->SetGradation(true); }},
        {"PressedColors.DarkShadow",
         [](auto& b) { b.PressedColors()->SetDarkShadow(clWindowFrame); },
         [](auto& b) { b.PressedColors()->SetDarkShadow(clBlack); }},
        {"PressedColors.GradVertical", [](auto& b) { b.PressedColors()->SetGradVertical(false); },
         [](auto& b) { b.PressedColors()->SetGradVertical(true); }},
        {"Font.Color", [](auto& b) { b.Font()->SetColor(clBtnText); },
         [](auto& b) { b.Font()->SetColor(clRed); }},
        {"ActiveFont.Height", [](auto& b) { b.ActiveFont()->SetHeight(b.ActiveFont()->Height()); },
         [](auto& b) { b.ActiveFont()->SetHeight(-20); }},
    };
    for (const Case& c : cases) {
        TTestButton b(nullptr);
        c.sameValue(b);
        EXPECT_EQ(b.Invalidates, 0) << c.name;
        c.otherValue(b);
        EXPECT_EQ(b.Invalidates, 1) << c.name;
    }
}

TEST(ShineButton, CaptionCopyColoursRepaintEvenWhenUnchanged) {
    TTestButton b(nullptr);
    b.SetFontShadow(clNone);
    b.SetFontHighlight(clNone);
    EXPECT_EQ(b.Invalidates, 2);
}

TEST(ShineButton, ColourSetNotifiesOncePerRealChange) {
    TShineBtnColors c;
    int changes = 0;
    TObject* sender = nullptr;
    c.OnChange = [&](TObject* s) {
        ++changes;
        sender = s;
    };
    c.SetHighlight(clBtnHighlight);
    c.SetGradColor(0x00FF0000);
    EXPECT_EQ(changes, 0);
    c.SetHighlight(clYellow);
    c.SetGradColor(clLime);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(sender, &c);
}

TEST(ShineButton, TransparentTakesOpaqueOutOfTheStyleAndBack) {
    TTestButton b(nullptr);
    b.SetTransparent(true);
    EXPECT_EQ(b.ControlStyle, TControlStyle(csCaptureMouse | csDoubleClicks));
    b.SetTransparent(true);
    EXPECT_EQ(b.Invalidates, 1);
    b.SetTransparent(false);
    EXPECT_EQ(b.ControlStyle, TControlStyle(csCaptureMouse | csOpaque | csDoubleClicks));
    EXPECT_EQ(b.Invalidates, 2);
}

TEST(ShineButton, AssigningColorsCopiesAllSevenValuesAndRepaintsOnce) {
    TForm form(nullptr);
    form.SetClientSize(100, 60);
    TShineSpeedButton source(nullptr);
    TTestButton target(nullptr);
    target.SetParent(&form);
    form.Show();
    TestSupport::Pump(100);

    TShineBtnColors* from = source.Colors();
    from->SetColor(clRed);
    from->SetHighlight(clYellow);
    from->SetShadow(clNavy);
    from->SetDarkShadow(clBlack);
    from->SetGradColor(clLime);
    from->SetGradVertical(true);
    from->SetGradation(true);
    target.Paints = 0;
    target.Invalidates = 0;
    target.SetColors(from);
    EXPECT_TRUE(Same(target.Colors()->Values(), from->Values()));
    // AssignTo notifies the receiving set, and Assign closes with a notice of its own.
    EXPECT_EQ(target.Invalidates, 2);
    TestSupport::Pump(100);
    EXPECT_EQ(target.Paints, 1);
}

TEST(ShineButton, ColourSetsRefuseToCopyWhatIsNotAColourSet) {
    TShineSpeedButton b(nullptr);
    TFont font;
    const TShineColorValues before = b.Colors()->Values();
    EXPECT_THROW(b.SetColors(nullptr), EConvertError);
    EXPECT_THROW(b.Colors()->Assign(&font), EConvertError);
    EXPECT_THROW(font.Assign(b.PressedColors()), EConvertError);
    EXPECT_TRUE(Same(b.Colors()->Values(), before));
}

TEST(ShineButton, FontsAreCopiedAndANullFontIsIgnored) {
    TTestButton b(nullptr);
    b.SetFont(nullptr);
    b.SetActiveFont(nullptr);
    EXPECT_EQ(b.Invalidates, 0);
    TFont f;
    f.SetColor(clRed);
    f.SetHeight(-20);
    b.SetActiveFont(&f);
    EXPECT_GE(b.Invalidates, 1);
    EXPECT_TRUE(b.ActiveFont()->SameAs(f));
    EXPECT_NE(b.ActiveFont(), &f);
    f.SetColor(clBlue); // the caller's font stays its own
    EXPECT_EQ(b.ActiveFont()->Color(), clRed);
}

TEST(ShineButton, ColorToPixelPutsRedInTheHighByte) {
    EXPECT_EQ(ColorToPixel(0x000000FF), 0x00FF0000u);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(ColorToPixel(clBtnFace),
              (std::uint32_t(GetRValue(face)) << 16) | (GetGValue(face) << 8) | GetBValue(face));
}

TEST(ShineButton, GlyphIsCopiedAndKeptAs32BitImage) {
    TTestButton b(nullptr);
    TBitmap given(3, 2);
    given.ScanLine(1)[2] = 0x00123456;
    given.HandOverToDevice();
    b.SetGlyph(&given);
    EXPECT_NE(b.Glyph(), &given);
    EXPECT_EQ(b.Glyph()->PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(b.Glyph()->ScanLine(1)[2], 0x00123456u);
    EXPECT_EQ(given.PixelFormat(), TPixelFormat::pfDevice);

    // Changing the glyph's contents directly converts it again.
    b.Glyph()->SetPixelFormat(TPixelFormat::pfDevice);
    EXPECT_EQ(b.Glyph()->PixelFormat(), TPixelFormat::pf32bit);

    // Drawing on the glyph, through its canvas or its rows, repaints the button; making
    // the state glyph only reads it.
    const struct {
        const char* name;
        std::function<void()> draw;
    } draws[] = {
        {"canvas fill", [&] { b.Glyph()->Canvas()->FillRect({0, 0, 1, 1}); }},
        {"canvas line", [&] { b.Glyph()->Canvas()->MoveTo(0, 0); b.Glyph()->Canvas()->LineTo(2, 0); }},
        {"row", [&] { b.Glyph()->ScanLine(0)[1] = 0x00FF0000; }},
        {"state glyph", [&] { b.CreateStateGlyph(); }},
    };
    for (const auto& d : draws) {
        b.Invalidates = 0;
        d.draw();
        EXPECT_EQ(b.Invalidates, std::string(d.name) == "state glyph" ? 0 : 1) << d.name;
    }
    EXPECT_EQ(b.Glyph()->Pixel(1, 0), 0xFF0000u);

    b.SetGlyph(nullptr);
    EXPECT_TRUE(b.Glyph()->Empty());
    EXPECT_EQ(b.CreateStateGlyph(), nullptr);
}

} // namespace

namespace {

// A component owned by the button: the button's base destruction frees it, and it notes
// which of the button's components were still there at that moment.
class TWitness : public TComponent {
public:
    TWitness(TComponent* button, std::vector<TComponent*>& left)
        : TComponent(button), FButton(button), FLeft(left) {}
    ~TWitness() override { FLeft = FButton->Components(); }

private:
    TComponent* FButton;
    std::vector<TComponent*>& FLeft;
};

} // namespace

TEST(ShineButton, ItsTimerIsAComponentOfItsOwnAndGoesFirst) {
    std::vector<TComponent*> left{nullptr};
    TComponent* timer = nullptr;
    {
        TTestButton b(nullptr);
        timer = b.ActiveButtonTimer();
        EXPECT_EQ(timer->Owner(), &b);
        EXPECT_EQ(b.Components(), std::vector<TComponent*>{timer});
        new TWitness(&b, left);
    }
    // The timer had already gone when the base destruction freed the rest.
    EXPECT_TRUE(left.empty()) << left.size() << " components left";
}
