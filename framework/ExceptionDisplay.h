#pragma once
// The exception display: one message box with the error's message (a "." appended by
// the error text rule), the application title as caption, a stop icon and an OK button,
// owned by (and so disabling) the window a dialog belongs to. It is shown through the
// application's message boxes, or the system's own while there is no application.
#include <string>

namespace ExceptionDisplay {

// The caption of every error message box (the application title).
extern std::string Title;

// Shows the error being handled: call it inside a catch block. A framework error shows
// its message; any other error shows an empty message.
void HandleCurrentException() noexcept;

// Shows a message as the display does (text rule applied).
void ShowMessageText(const std::string& message) noexcept;

} // namespace ExceptionDisplay
