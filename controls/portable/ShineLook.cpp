#include "controls/portable/ShineLook.h"

#include <algorithm>

bool UsesPressedLook(TShineButtonState state) {
    return state == sbsActiveDown || state == sbsDown;
}

bool UsesActiveFont(TShineButtonState state) {
    return state == sbsActiveDown || state == sbsActive;
}

TPoint PressedOffset(TShineButtonState state) {
    return UsesPressedLook(state) ? TPoint{1, 1} : TPoint{0, 0};
}

bool FrameShown(TShineButtonState state, bool activeFrame, bool upFrame, bool downFrame) {
    switch (state) {
    case sbsActiveDown:
    case sbsActive: return activeFrame;
    case sbsDown: return downFrame;
    case sbsUp:
    case sbsDisabled: return upFrame;
    }
    return false;
}

std::array<std::uint32_t, 256> GradientStrip(TColor from, TColor to, SysColorFn sys) {
    const std::uint32_t p1 = ColorToPixel(from, sys), p2 = ColorToPixel(to, sys);
    std::array<std::uint32_t, 256> strip{};
    for (int i = 0; i < 256; ++i) {
        std::uint32_t pixel = 0;
        for (int shift = 16; shift >= 0; shift -= 8) {
            const int c1 = (p1 >> shift) & 0xFF, c2 = (p2 >> shift) & 0xFF;
            // Integer division truncates toward zero, also for falling channels.
            pixel |= static_cast<std::uint32_t>(c1 + (c2 - c1) * i / 255) << shift;
        }
        strip[i] = pixel;
    }
    return strip;
}

std::vector<TSegment> FrameSegments(TFrameType type, bool pressedLook, int w, int h,
                                    const TShineColorValues& colors,
                                    const TShineColorValues& pressedColors) {
    const TShineColorValues& c = pressedLook ? pressedColors : colors;
    // Two lines from one corner, as every bevel edge is drawn.
    auto corner = [](std::vector<TSegment>& out, TPoint p, TPoint a, TPoint b, TColor col) {
        out.push_back({p, a, col});
        out.push_back({p, b, col});
    };
    std::vector<TSegment> s;
    switch (type) {
    case ftFlatFrame: {
        const TColor topLeft = pressedLook ? c.Shadow : c.Highlight;
        const TColor bottomRight = pressedLook ? c.Highlight : c.Shadow;
        corner(s, {0, 0}, {w - 1, 0}, {0, h - 1}, topLeft);
        corner(s, {w - 1, h - 1}, {0, h - 1}, {w - 1, 0}, bottomRight);
        break;
    }
    case ftNormalFrame:
        if (pressedLook) {
            corner(s, {1, 1}, {w - 1, 1}, {1, h - 1}, c.Shadow);
            corner(s, {0, 0}, {w - 1, 0}, {0, h - 1}, c.DarkShadow);
            corner(s, {w - 1, h - 1}, {0, h - 1}, {w - 1, 0}, c.Highlight);
        } else {
            corner(s, {w - 2, h - 2}, {0, h - 2}, {w - 2, 0}, c.Shadow);
            corner(s, {w - 1, h - 1}, {0, h - 1}, {w - 1, 0}, c.DarkShadow);
            corner(s, {0, 0}, {w - 1, 0}, {0, h - 1}, c.Highlight);
        }
        break;
    case ftEnclosedFrame: {
        const TColor topLeft = pressedLook ? c.Shadow : c.Highlight;
        const TColor bottomRight = pressedLook ? c.Highlight : c.Shadow;
        corner(s, {1, 1}, {w - 2, 1}, {1, h - 2}, topLeft);
        corner(s, {w - 2, h - 2}, {1, h - 2}, {w - 2, 1}, bottomRight);
        const TColor o = colors.DarkShadow;
        s.push_back({{0, 0}, {w - 1, 0}, o});
        s.push_back({{w - 1, 0}, {w - 1, h - 1}, o});
        s.push_back({{w - 1, h - 1}, {0, h - 1}, o});
        // Past the first corner: a button one pixel wide and high has no other line to
        // paint it, and the outline is the whole border of (0, 0, W, H).
        s.push_back({{0, h - 1}, {0, -1}, o});
        break;
    }
    }
    return s;
}

TShineLayout CalcDrawPosition(const TShineLayoutInput& in) {
    const bool g = in.HasGlyph, t = in.HasText, gap = g && t;
    int bw = 0, bh = 0, gx = 0, gy = 0, tx = 0, ty = 0;
    const bool across = in.Layout == blGlyphLeft || in.Layout == blGlyphRight;
    auto placeAcross = [&](int& x, int w, int h, bool present) {
        x = bw;
        if (present) {
            bw += w;
            bh = std::max(bh, h);
        }
    };
    auto placeDown = [&](int& y, int w, int h, bool present) {
        y = bh;
        if (present) {
            bh += h;
            bw = std::max(bw, w);
        }
    };
    switch (in.Layout) {
    case blGlyphLeft:
        placeAcross(gx, in.GlyphW, in.GlyphH, g);
        if (gap) bw += in.Spacing;
        placeAcross(tx, in.TextW, in.TextH, t);
        break;
    case blGlyphRight:
        placeAcross(tx, in.TextW, in.TextH, t);
        if (gap) bw += in.Spacing;
        placeAcross(gx, in.GlyphW, in.GlyphH, g);
        break;
    case blGlyphTop:
        placeDown(gy, in.GlyphW, in.GlyphH, g);
        if (gap) bh += in.Spacing;
        placeDown(ty, in.TextW, in.TextH, t);
        break;
    case blGlyphBottom:
        placeDown(ty, in.TextW, in.TextH, t);
        if (gap) bh += in.Spacing;
        placeDown(gy, in.GlyphW, in.GlyphH, g);
        break;
    }
    if (across) {
        if (g) gy = (bh - in.GlyphH) / 2;
        if (t) ty = (bh - in.TextH) / 2;
    } else {
        if (g) gx = (bw - in.GlyphW) / 2;
        if (t) tx = (bw - in.TextW) / 2;
    }
    int dx = (in.ClientW - bw) / 2, dy = (in.ClientH - bh) / 2;
    if (in.Margin >= 0) {
        switch (in.Layout) {
        case blGlyphLeft: dx = in.Margin; break;
        case blGlyphRight: dx = in.ClientW - bw - in.Margin; break;
        case blGlyphTop: dy = in.Margin; break;
        case blGlyphBottom: dy = in.ClientH - bh - in.Margin; break;
        }
    }
    return {{gx + dx, gy + dy},
            {tx + dx, ty + dy, tx + dx + in.TextW, ty + dy + in.TextH},
            bw,
            bh};
}

std::vector<TCaptionCopy> CaptionCopies(TShineButtonState state, TColor fontShadow,
                                        TColor fontHighlight) {
    using enum TCaptionSource;
    if (state == sbsDisabled)
        return {{{1, 1}, DisabledHighlight}, {{0, 0}, DisabledShadow}};
    std::vector<TCaptionCopy> plan;
    if (fontShadow != clNone) plan.push_back({{1, 1}, FontShadow});
    if (fontHighlight != clNone) plan.push_back({{-1, -1}, FontHighlight});
    plan.push_back({{0, 0}, FontColor});
    return plan;
}
