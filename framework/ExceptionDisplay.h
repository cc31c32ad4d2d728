#pragma once
// The exception display: one message box with the error's message (a "." appended by
// the error text rule), the application title as caption, a stop icon and an OK button.
#include <functional>
#include <string>

namespace ExceptionDisplay {

// The caption of every error message box (the application title).
extern std::string Title;

// Shows the box, owned by (and so disabling) the window a dialog belongs to; tests replace
// it to record what would be shown instead of blocking.
using ShowFn = std::function<void(const std::string& text, const std::string& caption)>;
extern ShowFn Show;
// The box itself, which Show holds at first.
void ShowBox(const std::string& text, const std::string& caption);

// Shows the error being handled: call it inside a catch block. A framework error shows
// its message; any other error shows an empty message.
void HandleCurrentException() noexcept;

// Shows a message as the display does (text rule applied).
void ShowMessageText(const std::string& message) noexcept;

} // namespace ExceptionDisplay
