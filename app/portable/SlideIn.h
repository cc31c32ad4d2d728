#pragma once
// The start-up slide-in: one change of the window's bounds per timer tick. It runs inside
// the primary monitor's work area, so a taskbar at the left or top edge never covers the
// window's caption; with the work area at 0,0 it is the screen's own 20,20.

enum class SlideInAction { MoveRight, Grow, Widen, Stop };

struct SlideInBounds {
    int left, height, width;
};

// The window's place before the first tick: 524 pixels off the work area's left edge,
// 20 below its top, 386 wide and 7 high.
struct SlideInStart {
    int left, top, width, height;
};
SlideInStart SlideInStartFor(int areaLeft, int areaTop);

// What the next tick does, judged from the current bounds and the work area's left edge.
SlideInAction SlideInStep(int left, int height, int width, int areaLeft);

// The bounds after `action` (Stop leaves them as they are).
SlideInBounds ApplySlideIn(SlideInBounds b, SlideInAction action);
