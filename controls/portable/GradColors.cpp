#include "controls/portable/GradColors.h"

#include <cmath>
#include <limits>

// The table's running values are x87 extended numbers: 64-bit mantissas, rounded as such at
// every subtraction. MSVC has no such type (its long double is a double), so its tables can
// be one off in a channel; every other build must have it.
#if !defined(_MSC_VER)
static_assert(std::numeric_limits<long double>::digits == 64,
              "the colour table needs long double with a 64-bit mantissa");
#endif

namespace {

// The x87 unit rounds to the precision in its control word, whatever the type says, and a
// Windows process may well start at 53 bits: the table sets 64 bits while it computes.
class ExtendedPrecision {
public:
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
    ExtendedPrecision() {
        __asm__ volatile("fnstcw %0" : "=m"(FSaved));
        const unsigned short extended = static_cast<unsigned short>(FSaved | 0x300u);
        __asm__ volatile("fldcw %0" : : "m"(extended) : "memory");
    }
    ~ExtendedPrecision() { __asm__ volatile("fldcw %0" : : "m"(FSaved) : "memory"); }
    ExtendedPrecision(const ExtendedPrecision&) = delete;
    ExtendedPrecision& operator=(const ExtendedPrecision&) = delete;

private:
    unsigned short FSaved = 0;
#else
    ExtendedPrecision() {}
#endif
};

} // namespace

void GetRGB(TColor color, SysColorFn sys, unsigned char& r, unsigned char& g, unsigned char& b) {
    if (color >= 0x80000000u && color <= 0x80000018u)
        color = sys(static_cast<int>(color & 0xFF));
    r = RedOf(color);
    g = GreenOf(color);
    b = BlueOf(color);
}

void FillColarray(TColarray& table, TColor topColor, TColor lastColor, TGradStyle style,
                  SysColorFn sys) {
    if (style != gsTopBottom && style != gsBottomTop && style != gsLeftRight &&
        style != gsRightLeft)
        return;
    const bool reversed = style == gsBottomTop || style == gsRightLeft;
    const TColor start = reversed ? lastColor : topColor;
    const TColor end = reversed ? topColor : lastColor;
    unsigned char s[3], e[3];
    GetRGB(start, sys, s[0], s[1], s[2]);
    GetRGB(end, sys, e[0], e[1], e[2]);
    const ExtendedPrecision extended;
    long double v[3], d[3];
    for (int c = 0; c < 3; ++c) {
        d[c] = (static_cast<long double>(s[c]) - e[c]) / 255;
        v[c] = s[c];
    }
    table[0] = start;
    for (int i = 1; i <= 254; ++i) {
        // Repeated subtraction, not i * d: the accumulated error is part of the look.
        unsigned ch[3];
        for (int c = 0; c < 3; ++c) {
            v[c] -= d[c];
            ch[c] = static_cast<unsigned>(static_cast<long long>(std::trunc(v[c])));
        }
        table[i] = RGBColor(ch[0], ch[1], ch[2]);
    }
    table[255] = end;
}

std::vector<TBandFill> GradBands(int width, int height, TGradStyle style) {
    std::vector<TBandFill> fills;
    const bool horizontal = style == gsTopBottom || style == gsBottomTop;
    const bool vertical = style == gsLeftRight || style == gsRightLeft;
    if (!horizontal && !vertical)
        return fills;
    const long double step = static_cast<long double>(horizontal ? height : width) / 255;
    const int thickness = static_cast<int>(std::trunc(step + 1));
    fills.reserve(256);
    int pos = 0;
    for (int i = 0; i <= 255; ++i) {
        fills.push_back({horizontal ? TRect{0, pos, width, pos + thickness}
                                    : TRect{pos, 0, pos + thickness, height},
                         i});
        // Uses the band just drawn, so bands 0 and 1 share their start.
        pos = static_cast<int>(std::trunc(i * step));
    }
    return fills;
}

std::vector<TCaptionDraw> CaptionPlan(bool enabled, bool font3D, TFontStyle3D style,
                                      unsigned char depth, const TRect& rect) {
    using enum TCaptionInk;
    if (!enabled)
        return {{rect.Offset(1, 1), White}, {rect, Gray}};
    if (!font3D)
        return {{rect, FontColor}};
    std::vector<TCaptionDraw> plan;
    switch (style) {
    case fsLowShadow:
        plan.push_back({rect.Offset(depth, depth), BackFont});
        break;
    case fsRaiseShadow:
        plan.push_back({rect.Offset(-depth, -depth), BackFont});
        break;
    case fsLow3D:
        for (int k = 1; k <= depth; ++k)
            plan.push_back({rect.Offset(k, k), BackFont});
        break;
    case fsRaise3D:
        for (int k = 1; k <= depth; ++k)
            plan.push_back({rect.Offset(-k, -k), BackFont});
        break;
    }
    plan.push_back({rect, FontColor});
    return plan;
}
