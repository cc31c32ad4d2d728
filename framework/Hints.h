#pragma once
// Tooltips: a windowed control with ShowHint and a hint gets a real system tooltip.
class TWinControl;

namespace Hints {
void Register(TWinControl* control);
}
