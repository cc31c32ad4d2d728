#pragma once
// The start-up slide-in: one change of the window's bounds per timer tick.

enum class SlideInAction { MoveRight, Grow, Widen, Stop };

struct SlideInBounds {
    int left, height, width;
};

// What the next tick does, judged from the current bounds alone.
SlideInAction SlideInStep(int left, int height, int width);

// The bounds after `action` (Stop leaves them as they are).
SlideInBounds ApplySlideIn(SlideInBounds b, SlideInAction action);
