#include "app/portable/PromptLayout.h"

#include <algorithm>
#include <cstdlib>

int DialogUnitsToPixels(int n, int size, int unitsPerChar) {
    if (unitsPerChar == 0) return -1; // MulDiv's answer to a zero divisor
    long long p = static_cast<long long>(n) * size;
    long long d = unitsPerChar;
    bool negative = (p < 0) != (d < 0);
    long long q = (std::llabs(p) + std::llabs(d) / 2) / std::llabs(d);
    return static_cast<int>(negative ? -q : q);
}

int PromptAverageCharWidth(const PromptMetrics& m) {
    return m.LettersWidth / 52;
}

PromptLayout LayoutPrompt(const PromptMetrics& m, int labelWidth, int labelHeight) {
    const int avg = PromptAverageCharWidth(m);
    auto h = [avg](int units) { return DialogUnitsToPixels(units, avg, 4); };
    auto v = [&m](int units) { return DialogUnitsToPixels(units, m.CharHeight, 8); };

    PromptLayout out;
    out.ClientWidth = h(180);
    out.LabelMaxWidth = h(164);
    out.Label =
        Bounds(h(8), v(8), std::clamp(labelWidth, 0, out.LabelMaxWidth), std::max(labelHeight, 0));
    out.Edit = Bounds(out.Label.Left, out.Label.Bottom + 5, h(164), v(12));
    const int buttonTop = out.Edit.Bottom + 15;
    out.OkButton = Bounds(h(38), buttonTop, h(50), v(14));
    out.CancelButton = Bounds(h(92), buttonTop, h(50), v(14));
    out.ClientHeight = out.OkButton.Bottom + 13;
    return out;
}
