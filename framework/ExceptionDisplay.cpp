#include "framework/ExceptionDisplay.h"

#include "framework/Exceptions.h"
#include "framework/SystemCodePage.h"
#include "framework/portable/ErrorText.h"

#include <windows.h>

namespace ExceptionDisplay {

std::string Title;

ShowFn Show = [](const std::string& text, const std::string& caption) {
    MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_ICONSTOP | MB_OK);
};

void ShowMessageText(const std::string& message) noexcept {
    try {
        Show(ErrorDisplayText(message, SystemCodePage()), Title);
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
