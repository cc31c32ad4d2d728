#include "framework/MessageBoxes.h"

#include "framework/WideText.h"

int TMessageBoxes::Show(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    return ::MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), flags);
}
