#include "controls/ShineSpdBtn.h"

#include "framework/SystemColors.h"

// ---- TShineBtnColors -------------------------------------------------------------

TShineBtnColors::TShineBtnColors() = default;

TShineBtnColors::~TShineBtnColors() {
    OnChange = nullptr;
}

void TShineBtnColors::Changed() {
    if (OnChange) OnChange(this);
}

template <class T> void TShineBtnColors::Set(T& field, T value) {
    if (StoreIfChanged(field, value)) Changed();
}

void TShineBtnColors::SetColor(TColor value) {
    Set(FValues.Color, value);
}
void TShineBtnColors::SetHighlight(TColor value) {
    Set(FValues.Highlight, value);
}
void TShineBtnColors::SetShadow(TColor value) {
    Set(FValues.Shadow, value);
}
void TShineBtnColors::SetDarkShadow(TColor value) {
    Set(FValues.DarkShadow, value);
}
void TShineBtnColors::SetGradColor(TColor value) {
    Set(FValues.GradColor, value);
}
void TShineBtnColors::SetGradVertical(bool value) {
    Set(FValues.GradVertical, value);
}
void TShineBtnColors::SetGradation(bool value) {
    Set(FValues.Gradation, value);
}

void TShineBtnColors::CopyFrom(const TShineBtnColors& source) { FValues = source.FValues; }

void TShineBtnColors::Assign(TPersistent* Source) {
    if (auto* source = dynamic_cast<TShineBtnColors*>(Source)) {
        CopyFrom(*source);
        // The source copies itself back through AssignTo, which notifies this set once;
        // the closing notification below is the second.
        TPersistent::Assign(Source);
        Changed();
        return;
    }
    TPersistent::Assign(Source); // raises the framework's error for what it cannot copy
}

void TShineBtnColors::AssignTo(TPersistent* Dest) {
    if (auto* dest = dynamic_cast<TShineBtnColors*>(Dest)) {
        dest->CopyFrom(*this);
        dest->Changed();
        return;
    }
    TPersistent::AssignTo(Dest);
}

// ---- TShineSpeedButton: construction and data ------------------------------------

std::uint32_t ColorToPixel(TColor color) {
    return ColorToPixel(color, SystemColor);
}

TShineSpeedButton::TShineSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    // Clicks are raised by the button itself, so the framework's click generation is off.
    ControlStyle = csCaptureMouse | csOpaque | csDoubleClicks;

    auto repaint = [this](TObject* sender) { FontsAndColorsOnChange(sender); };
    // Each owned object gets its colour before its notification is attached, so
    // construction asks for no repaint.
    FColors = std::make_unique<TShineBtnColors>();
    FColors->SetColor(clBtnFace);
    FColors->OnChange = repaint;
    FPressedColors = std::make_unique<TShineBtnColors>();
    FPressedColors->SetColor(clBtnHighlight);
    FPressedColors->OnChange = repaint;
    FFont = std::make_unique<TFont>();
    FFont->SetColor(clBtnText);
    FFont->OnChange = repaint;
    FActiveFont = std::make_unique<TFont>();
    FActiveFont->SetColor(clHighlight);
    FActiveFont->OnChange = repaint;

    FGlyph = std::make_unique<TBitmap>();
    FGlyph->OnChange = [this](TObject* sender) { GlyphOnChange(sender); };
    FGlyph->SetTransparentColor(0x00008080); // runs GlyphOnChange once

    SetBounds(Left(), Top(), 25, 25);
    SetCaption("");

    FActiveButtonTimer = new TTimer(this);
    FActiveButtonTimer->SetEnabled(false);
    FActiveButtonTimer->SetInterval(200);
    FActiveButtonTimer->SetOnTimer([this](TObject* sender) { ActiveButtonTimerOnTimer(sender); });
}

TShineSpeedButton::~TShineSpeedButton() {
    // Off the component list as it goes, so the base destruction does not free it again.
    delete FActiveButtonTimer;
    FActiveButtonTimer = nullptr;
    FGlyph.reset();
    FColors.reset();
    FPressedColors.reset();
    FFont.reset();
    FActiveFont.reset();
}

void TShineSpeedButton::FontsAndColorsOnChange(TObject*) {
    Invalidate();
}

template <class T> void TShineSpeedButton::Store(T& field, T value) {
    if (StoreIfChanged(field, value)) Invalidate();
}

void TShineSpeedButton::SetClickDownHook(bool value) {
    Store(FMachine.V.ClickDownHook, value);
}
void TShineSpeedButton::SetAccelCharDown(bool value) {
    Store(FMachine.V.AccelCharDown, value);
}
void TShineSpeedButton::SetFrameType(TFrameType value) {
    Store(FFrameType, value);
}
void TShineSpeedButton::SetActiveFrame(bool value) {
    Store(FActiveFrame, value);
}
void TShineSpeedButton::SetUpFrame(bool value) {
    Store(FUpFrame, value);
}
void TShineSpeedButton::SetDownFrame(bool value) {
    Store(FDownFrame, value);
}
void TShineSpeedButton::SetActiveImage(TActiveImageType value) {
    Store(FActiveImage, value);
}
void TShineSpeedButton::SetDisabledImage(TDisabledImageType value) {
    Store(FDisabledImage, value);
}
void TShineSpeedButton::SetDisabledHighlight(TColor value) {
    Store(FDisabledHighlight, value);
}
void TShineSpeedButton::SetDisabledShadow(TColor value) {
    Store(FDisabledShadow, value);
}
void TShineSpeedButton::SetShineColor(TColor value) {
    Store(FShineColor, value);
}
void TShineSpeedButton::SetLayout(TButtonLayout value) {
    Store(FLayout, value);
}
void TShineSpeedButton::SetMargin(int value) {
    Store(FMargin, value);
}
void TShineSpeedButton::SetSpacing(int value) {
    Store(FSpacing, value);
}

void TShineSpeedButton::SetFontHighlight(TColor value) {
    FFontHighlight = value;
    Invalidate();
}

void TShineSpeedButton::SetFontShadow(TColor value) {
    FFontShadow = value;
    Invalidate();
}

void TShineSpeedButton::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    if (value)
        ControlStyle &= ~TControlStyle(csOpaque);
    else
        ControlStyle |= csOpaque;
    Invalidate();
}

void TShineSpeedButton::SetColors(TShineBtnColors* value) {
    FColors->Assign(value);
}

void TShineSpeedButton::SetPressedColors(TShineBtnColors* value) {
    FPressedColors->Assign(value);
}

void TShineSpeedButton::SetFont(TFont* value) {
    if (!value) return;
    FFont->Assign(value);
    Invalidate();
}

void TShineSpeedButton::SetActiveFont(TFont* value) {
    if (!value) return;
    FActiveFont->Assign(value);
    Invalidate();
}

void TShineSpeedButton::SetGroupIndex(int value) {
    FMachine.SetGroupIndex(value);
}

void TShineSpeedButton::SetAllowAllUp(bool value) {
    FMachine.SetAllowAllUp(value);
}

// ---- The glyph ------------------------------------------------------------------

void TShineSpeedButton::SetGlyph(TBitmap* Value) {
    FGlyph->OnChange = nullptr;
    if (Value) {
        FGlyph->Assign(Value);
        FGlyph->OnChange = [this](TObject* sender) { GlyphOnChange(sender); };
        GlyphOnChange(FGlyph.get());
    } else {
        FGlyph->FreeImage();
        FGlyph->SetWidth(0);
        FGlyph->SetHeight(0);
        FGlyph->OnChange = [this](TObject* sender) { GlyphOnChange(sender); };
    }
    Invalidate();
}

void TShineSpeedButton::GlyphOnChange(TObject*) {
    // Converting notifies again; the second call finds a 32-bit image and only repaints.
    FGlyph->SetPixelFormat(TPixelFormat::pf32bit);
    Invalidate();
}
