#include "app/portable/SlideIn.h"

SlideInStart SlideInStartFor(int areaLeft, int areaTop) { return {areaLeft - 524, areaTop + 20, 386, 7}; }

SlideInAction SlideInStep(int left, int height, int width, int areaLeft) {
    if (left < areaLeft + 20) return SlideInAction::MoveRight;
    if (height < 60) return SlideInAction::Grow;
    if (width < 496) return SlideInAction::Widen;
    return SlideInAction::Stop;
}

SlideInBounds ApplySlideIn(SlideInBounds b, SlideInAction action) {
    switch (action) {
    case SlideInAction::MoveRight:
        b.left += 32;
        break;
    case SlideInAction::Grow:
        b.height += 3;
        break;
    case SlideInAction::Widen:
        b.width += 8;
        break;
    case SlideInAction::Stop:
        break;
    }
    return b;
}
