#pragma once
// The shine speed button: a self-painting, non-windowed speed button with a pressed
// colour set, a font and glyph effect of its own while the mouse is over it, gradient
// backgrounds, three bevel frames, embossed captions and latching groups.
#include "controls/portable/ShineLook.h"
#include "controls/portable/ShineStateMachine.h"
#include "controls/portable/ShineTypes.h"
#include "framework/Bitmap.h"
#include "framework/Buttons.h"
#include "framework/Controls.h"
#include "framework/ExtCtrls.h"
#include "framework/Graphics.h"

#include <memory>
#include <string>

// One look of the button: background (plain or gradient) and the three frame colours.
class TShineBtnColors : public TPersistent {
public:
    TShineBtnColors();
    ~TShineBtnColors() override;
    const char* ClassName() const override { return "TShineBtnColors"; }

    TColor Color() const { return FValues.Color; }
    TColor Highlight() const { return FValues.Highlight; }
    TColor Shadow() const { return FValues.Shadow; }
    TColor DarkShadow() const { return FValues.DarkShadow; }
    TColor GradColor() const { return FValues.GradColor; }
    bool GradVertical() const { return FValues.GradVertical; }
    bool Gradation() const { return FValues.Gradation; }
    void SetColor(TColor value);
    void SetHighlight(TColor value);
    void SetShadow(TColor value);
    void SetDarkShadow(TColor value);
    void SetGradColor(TColor value);
    void SetGradVertical(bool value);
    void SetGradation(bool value);

    TShineColorValues Values() const { return FValues; }

    // Copies a colour set; anything else goes to the framework's assignment, which
    // raises its conversion error for a null or foreign source.
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    template <class T> void Set(T& field, T value);
    void Changed();
    void CopyFrom(const TShineBtnColors& source);

    TShineColorValues FValues;
};

using TShineMouseEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

class TShineSpeedButton : public TGraphicControl, public TGroupLatch {
public:
    explicit TShineSpeedButton(TComponent* AOwner);
    ~TShineSpeedButton() override;
    const char* ClassName() const override { return "TShineSpeedButton"; }

    // Published properties, in published order. Font and SetFont are the button's own
    // font, not the base control's, which takes no part in drawing.
    int GroupIndex() const { return FMachine.V.GroupIndex; }
    void SetGroupIndex(int value);
    bool Down() const override { return FMachine.V.Down; }
    void SetDown(bool value);
    bool ClickDownHook() const { return FMachine.V.ClickDownHook; }
    void SetClickDownHook(bool value);
    bool AccelCharDown() const { return FMachine.V.AccelCharDown; }
    void SetAccelCharDown(bool value);
    TFrameType FrameType() const { return FFrameType; }
    void SetFrameType(TFrameType value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool ActiveFrame() const { return FActiveFrame; }
    void SetActiveFrame(bool value);
    bool UpFrame() const { return FUpFrame; }
    void SetUpFrame(bool value);
    bool DownFrame() const { return FDownFrame; }
    void SetDownFrame(bool value);
    TActiveImageType ActiveImage() const { return FActiveImage; }
    void SetActiveImage(TActiveImageType value);
    TDisabledImageType DisabledImage() const { return FDisabledImage; }
    void SetDisabledImage(TDisabledImageType value);
    TColor DisabledHighlight() const { return FDisabledHighlight; }
    void SetDisabledHighlight(TColor value);
    TColor DisabledShadow() const { return FDisabledShadow; }
    void SetDisabledShadow(TColor value);
    TShineBtnColors* Colors() const { return FColors.get(); }
    void SetColors(TShineBtnColors* value);
    TShineBtnColors* PressedColors() const { return FPressedColors.get(); }
    void SetPressedColors(TShineBtnColors* value);
    TColor ShineColor() const { return FShineColor; }
    void SetShineColor(TColor value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value);
    TColor FontHighlight() const { return FFontHighlight; }
    void SetFontHighlight(TColor value);
    TColor FontShadow() const { return FFontShadow; }
    void SetFontShadow(TColor value);
    TFont* ActiveFont() const { return FActiveFont.get(); }
    void SetActiveFont(TFont* value);
    bool AllowAllUp() const override { return FMachine.V.AllowAllUp; }
    void SetAllowAllUp(bool value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    TShineMouseEvent OnMouseEnter;
    TShineMouseEvent OnMouseLeave;

    TShineButtonState State() const { return FMachine.V.State; }
    TTimer* ActiveButtonTimer() const { return FActiveButtonTimer; }

    // The image of the glyph for the current state, owned by the caller; null when
    // there is no glyph.
    std::unique_ptr<TBitmap> CreateStateGlyph();

    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    void Click() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    void BackDraw(TCanvas* canvas);
    void ImageDraw(TCanvas* canvas);
    void FrameDraw(TCanvas* canvas);
    void CalcDrawPosition(TCanvas* canvas, TPoint& glyphPos, TRect& captionRect);

    void ActiveButtonTimerOnTimer(TObject* Sender);

    void GlyphOnChange(TObject* Sender);
    void FontsAndColorsOnChange(TObject* Sender);

    void WMLButtonDblClick(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMButtonPressed(TMessage& Message);

    // What the state machine asks of the platform, answered by this button.
    class Host : public ShineButtonHost {
    public:
        explicit Host(TShineSpeedButton& button) : B(button) {}
        bool Enabled() override;
        bool HasParent() override;
        bool CursorOverThis() override;
        bool AutoDrag() override;
        bool CaptureHeld() override;
        void Invalidate() override;
        void Repaint() override;
        void SetTimerEnabled(bool on) override;
        void FireMouseEnter() override;
        void FireMouseLeave() override;
        void FireClick() override;
        void FireDblClick() override;
        void AnnounceGroup(int groupIndex, bool down, bool allowAllUp) override;

    private:
        TShineSpeedButton& B;
    };
    Host FHost{*this};
    // The transition rules and the variables they work on: the state, the mouse-inside
    // and pressing flags, Down and the group fields live in the machine alone.
    ShineStateMachine FMachine{FHost};
    // One of the button's components; the destructor frees it before anything else.
    TTimer* FActiveButtonTimer = nullptr;

private:
    template <class T> void Store(T& field, T value);

    TFrameType FFrameType = ftNormalFrame;
    bool FTransparent = false;
    bool FActiveFrame = true;
    bool FUpFrame = true;
    bool FDownFrame = true;
    TActiveImageType FActiveImage = aiFrameLight;
    TDisabledImageType FDisabledImage = diDefault;
    TColor FDisabledHighlight = clBtnHighlight;
    TColor FDisabledShadow = clBtnShadow;
    std::unique_ptr<TShineBtnColors> FColors;
    std::unique_ptr<TShineBtnColors> FPressedColors;
    TColor FShineColor = 0x0000FFFF;
    std::unique_ptr<TFont> FFont;
    TColor FFontHighlight = clNone;
    TColor FFontShadow = clNone;
    std::unique_ptr<TFont> FActiveFont;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    std::unique_ptr<TBitmap> FGlyph;
};

// The colour as a pixel of 32-bit images (0x00RRGGBB), system colours resolved.
std::uint32_t ColorToPixel(TColor color);
