#pragma once
// Message boxes, behind one small interface: the error display and the windows' questions
// show theirs through it; the program puts in the real one, tests a recorder.
#include <windows.h>

#include <string>

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // A box owned by (and so disabling) `owner`; answers IDOK, IDYES, IDNO or IDCANCEL.
    virtual int Show(HWND owner, const std::string& text, const std::string& caption, UINT flags) = 0;
};

// The system's own message box.
class TMessageBoxes : public IMessageBoxes {
public:
    int Show(HWND owner, const std::string& text, const std::string& caption, UINT flags) override;
};
