#include "framework/ExceptionDisplay.h"

#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/MessageBoxes.h"
#include "framework/portable/ErrorText.h"

#include <windows.h>

namespace ExceptionDisplay {

std::string Title;

void ShowMessageText(const std::string& message) noexcept {
    try {
        TMessageBoxes system;
        IMessageBoxes& boxes = Application ? Application->MessageBoxes() : system;
        boxes.Show(DialogOwner(), ErrorDisplayText(message, CodePage::Cp932()), Title, MB_ICONSTOP | MB_OK);
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
