#pragma once
// The naming prompt: a small modal dialog with a caption, a prompt text and a one-line
// field holding a default text. "OK" (Enter) returns the field's text, even when empty;
// "キャンセル", Esc and the close box return the default unchanged.
// The field's limit is in bytes of code page 932, as the list's names always were.
#include <windows.h>

#include <string>

namespace NamingPrompt {

// Control identifiers, so a test can find the parts of an open prompt.
enum : int { EditId = 100, LabelId = 101 };
// Window class of the prompt (FindWindowA finds an open one).
extern const char* const ClassName;
// The field takes at most this many bytes.
constexpr int MaxLength = 255;

// Shows the prompt centred on the screen, `fieldText` in the field (the default, or a
// name typed before and refused). The name comes back as typed, in Unicode, since a
// UTF-8 or UTF-16 list stores it so. Every other enabled top-level window of this thread
// is disabled while it is open; their timers keep ticking.
std::wstring Show(const std::string& caption, const std::wstring& prompt, const std::string& defaultText,
                  const std::wstring& fieldText);

} // namespace NamingPrompt
