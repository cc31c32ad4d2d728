#include "framework/ExceptionDisplay.h"

#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/WideText.h"
#include "framework/portable/ErrorText.h"

#include <windows.h>

namespace ExceptionDisplay {

std::string Title;

void ShowBox(const std::string& text, const std::string& caption) {
    MessageBoxW(DialogOwner(), Widen(text).c_str(), Widen(caption).c_str(), MB_ICONSTOP | MB_OK);
}

ShowFn Show = ShowBox;

void ShowMessageText(const std::string& message) noexcept {
    try {
        Show(ErrorDisplayText(message, CodePage::Cp932()), Title);
    } catch (...) {
        // Nothing is left to report a failure of the display itself to.
    }
}

void HandleCurrentException() noexcept {
    std::string message;
    try {
        throw;
    } catch (const Exception& e) {
        message = e.Message;
    } catch (...) {
    }
    ShowMessageText(message);
}

} // namespace ExceptionDisplay
