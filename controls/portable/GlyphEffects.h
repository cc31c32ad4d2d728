#pragma once
// The state glyph of the shine button: a copy of the glyph, lit with the shine colour
// while the mouse is over the button, greyed, faded, dithered or embossed while the
// button is disabled. Pure pixel arithmetic on 32-bit images.
#include "controls/portable/Image32.h"
#include "controls/portable/ShineTypes.h"

#include <optional>

struct GlyphEffectInput {
    TShineButtonState State = sbsUp;
    TActiveImageType ActiveImage = aiFrameLight;
    TDisabledImageType DisabledImage = diDefault;
    std::uint32_t ShinePixel = 0;  // ColorToPixel of ShineColor
    std::uint32_t FacePixel = 0;   // ColorToPixel of the face colour (disabled only)
};

// The image for a state, or nothing for an empty glyph. The result is marked
// transparent, with its own bottom-left pixel (read after the effect) as transparent
// colour; the disabled default is a black-and-white edge mask whose black is transparent.
std::optional<Image32> MakeStateGlyph(const Image32& glyph, const GlyphEffectInput& in);
