#pragma once
// Enumerations and the colour values of the shine button, shared by the button, its
// glyph code and the pure drawing arithmetic.
#include "framework/portable/Colors.h"

enum TShineButtonState : unsigned char { sbsActiveDown, sbsDown, sbsActive, sbsUp, sbsDisabled };
enum TFrameType { ftFlatFrame, ftNormalFrame, ftEnclosedFrame };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TActiveImageType {
    aiNormal, aiXorLight, aiHalfLight, aiQuaterLight, aiAddLight, aiFrameLight, aiFrameLight2,
    aiMaskLight
};
enum TDisabledImageType {
    diDefault, diGrayscale, diAlphaHalfTrans, diAlphaQuaterTrans, diMaskTrans
};

// The seven values of one look of the button, without the notification machinery.
struct TShineColorValues {
    TColor Color = clBtnFace;
    TColor Highlight = clBtnHighlight;
    TColor Shadow = clBtnShadow;
    TColor DarkShadow = clWindowFrame;
    TColor GradColor = 0x00FF0000;
    bool GradVertical = false;
    bool Gradation = false;
};
