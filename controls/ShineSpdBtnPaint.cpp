// Painting of the shine button: background, state glyph, caption copies and frame,
// composed offscreen unless the button is transparent. The choices themselves come from
// the portable look code; this file only measures and draws.
#include "controls/ShineSpdBtn.h"
#include "controls/portable/GlyphEffects.h"
#include "framework/SystemColors.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

// The embossed mask pass: where the mask is white the brush is painted, elsewhere the
// target stays (DSPDxax).
constexpr DWORD kMaskedBrushRop = 0x00E20746;

// A 32-bit image pixel (0x00RRGGBB) as the colour GDI compares it with.
TColor PixelToColor(std::uint32_t p) {
    return RGBColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

} // namespace

std::unique_ptr<TBitmap> TShineSpeedButton::CreateStateGlyph() {
    if (!FGlyph || FGlyph->Empty()) return nullptr;
    const int w = FGlyph->Width(), h = FGlyph->Height();
    Image32 source(w, h);
    const TBitmap& glyph = *FGlyph;  // read only: reading is no change to repaint for
    for (int y = 0; y < h; ++y)
        std::copy_n(glyph.ScanLine(y), w, source.Row(y));
    GlyphEffectInput in;
    in.State = State();
    in.ActiveImage = FActiveImage;
    in.DisabledImage = FDisabledImage;
    in.ShinePixel = ColorToPixel(FShineColor);
    in.FacePixel = ColorToPixel(FColors->Color());
    const std::optional<Image32> image = MakeStateGlyph(source, in);
    if (!image) return nullptr;

    auto result = std::make_unique<TBitmap>(image->Width(), image->Height());
    for (int y = 0; y < image->Height(); ++y)
        std::copy_n(image->Row(y), image->Width(), result->ScanLine(y));
    if (image->Mask)
        result->SetPixelFormat(TPixelFormat::pf1bit);
    else
        result->HandOverToDevice();
    result->SetTransparent(image->Transparent);
    result->SetTransparentColor(PixelToColor(image->TransparentColor));
    return result;
}

void TShineSpeedButton::Paint() {
    if (!Enabled()) FMachine.PaintingDisabled();
    if (FTransparent) {
        BackDraw(Canvas());
        ImageDraw(Canvas());
        FrameDraw(Canvas());
        return;
    }
    TBitmap offscreen(Width(), Height());
    offscreen.HandOverToDevice();
    TCanvas* target = offscreen.Canvas();
    BackDraw(target);
    ImageDraw(target);
    FrameDraw(target);
    DrawBitmap(Canvas()->Handle(), 0, 0, offscreen, SystemColor);
}

void TShineSpeedButton::BackDraw(TCanvas* canvas) {
    if (FTransparent) return;
    const TShineBtnColors& look = UsesPressedLook(State()) ? *FPressedColors : *FColors;
    const TRect client = ClientRect();
    if (!look.Gradation()) {
        canvas->Brush.SetStyle(bsSolid);
        canvas->Brush.SetColor(look.Color());
        canvas->FillRect(client);
        return;
    }
    const auto strip = GradientStrip(look.Color(), look.GradColor(), SystemColor);
    const bool vertical = look.GradVertical();
    TBitmap bands(vertical ? 1 : 256, vertical ? 256 : 1);
    for (int i = 0; i < 256; ++i) {
        if (vertical)
            bands.ScanLine(i)[0] = strip[i];
        else
            bands.ScanLine(0)[i] = strip[i];
    }
    StretchDrawBitmap(canvas->Handle(), client.Left, client.Top, client.Width(), client.Height(),
                      bands);
}

void TShineSpeedButton::CalcDrawPosition(TCanvas* canvas, TPoint& glyphPos, TRect& captionRect) {
    const std::string caption = Caption();
    TRect r{0, 0, ClientWidth(), 0};
    canvas->DrawTextIn(caption, r, DT_CALCRECT);
    TShineLayoutInput in;
    in.Layout = FLayout;
    in.Margin = FMargin;
    in.Spacing = FSpacing;
    in.HasGlyph = !FGlyph->Empty();
    in.GlyphW = FGlyph->Width();
    in.GlyphH = FGlyph->Height();
    in.HasText = !caption.empty();
    in.TextW = r.Width();
    in.TextH = r.Height();
    in.ClientW = ClientWidth();
    in.ClientH = ClientHeight();
    const TShineLayout layout = ::CalcDrawPosition(in);
    glyphPos = layout.Glyph;
    captionRect = layout.Caption;
}

void TShineSpeedButton::ImageDraw(TCanvas* canvas) {
    canvas->Font.Assign(UsesActiveFont(State()) ? FActiveFont.get() : FFont.get());
    std::unique_ptr<TBitmap> glyph = CreateStateGlyph();
    TPoint at;
    TRect captionRect;
    CalcDrawPosition(canvas, at, captionRect);
    const TPoint shift = PressedOffset(State());

    if (glyph) {
        at = {at.X + shift.X, at.Y + shift.Y};
        if (State() == sbsDisabled && FDisabledImage == diDefault) {
            const std::array<std::pair<TColor, TPoint>, 2> passes{
                {{FDisabledHighlight, {at.X + 1, at.Y + 1}}, {FDisabledShadow, at}}};
            for (const auto& [color, p] : passes) {
                HDC dc = canvas->Handle();
                GdiObject brush(CreateSolidBrush(ColorRef(color)));
                ScopedSelect selected(dc, brush.Get());
                SetTextColor(dc, 0);
                SetBkColor(dc, 0x00FFFFFF);
                BitBltBitmap(dc, p.X, p.Y, *glyph, kMaskedBrushRop);
            }
        } else {
            canvas->Brush.SetStyle(bsClear);
            DrawBitmap(canvas->Handle(), at.X, at.Y, *glyph, SystemColor);
        }
        glyph.reset();
    }

    const std::string caption = Caption();
    if (caption.empty()) return;
    captionRect = captionRect.Offset(shift.X, shift.Y);
    canvas->Brush.SetStyle(bsClear);
    const TColor fontColor = canvas->Font.Color();
    for (const TCaptionCopy& copy : CaptionCopies(State(), FFontShadow, FFontHighlight)) {
        TColor color = fontColor;
        switch (copy.Source) {
        case TCaptionSource::FontColor:
            color = fontColor;
            break;
        case TCaptionSource::FontShadow:
            color = FFontShadow;
            break;
        case TCaptionSource::FontHighlight:
            color = FFontHighlight;
            break;
        case TCaptionSource::DisabledHighlight:
            color = FDisabledHighlight;
            break;
        case TCaptionSource::DisabledShadow:
            color = FDisabledShadow;
            break;
        }
        canvas->Font.SetColor(color);
        TRect r = captionRect.Offset(copy.Offset.X, copy.Offset.Y);
        canvas->DrawTextIn(caption, r, DT_CENTER | DT_VCENTER);
    }
}

void TShineSpeedButton::FrameDraw(TCanvas* canvas) {
    if (!FrameShown(State(), FActiveFrame, FUpFrame, FDownFrame)) return;
    canvas->Pen.SetStyle(psSolid);
    canvas->Pen.SetWidth(1);
    for (const TSegment& s : FrameSegments(FFrameType, UsesPressedLook(State()), Width(), Height(),
                                           FColors->Values(), FPressedColors->Values())) {
        canvas->Pen.SetColor(s.Color);
        canvas->MoveTo(s.From.X, s.From.Y);
        canvas->LineTo(s.To.X, s.To.Y);
    }
}
