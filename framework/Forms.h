#pragma once
// Forms (top-level windows with their controls) and the application object that owns
// them and runs the message loop.
#include "framework/Controls.h"
#include "framework/Handles.h"
#include "framework/Menus.h"
#include "framework/MessageBoxes.h"

#include <functional>
#include <string>
#include <utility>

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;
    const char* ClassName() const override { return "TForm"; }
    void Dispatch(TMessage& msg) override;

    TFormBorderStyle BorderStyle = bsSizeable;
    TFormStyle FormStyle = fsNormal;
    TNotifyEvent OnShow;
    TCloseEvent OnClose;

    // Sets the client area's size (the outer bounds follow from the border style).
    void SetClientSize(int width, int height);
    // Runs OnShow (an error in it is shown, and the window is shown all the same), then
    // makes the window visible and gives the focus to the first control in tab order.
    void Show();
    // The control that has the keyboard focus, or had it last while the form was active:
    // activating the form again (after a dialog too) gives the focus back to it, or to the
    // first control in tab order when it can no longer take it.
    TWinControl* ActiveControl() const;
    // Runs OnClose; an error there stops the close. Closing the main form ends the
    // application.
    void Close();
    // A Ctrl/Shift/Alt + key combination as a menu shortcut of this form.
    bool IsShortCut(UINT vk);

    // The design metrics: the form was laid out at `ppi` pixels per inch for a font
    // whose text is `textHeight` high. Scales the font by the screen's density, then the
    // controls' positions and sizes (and the client size) by the real text height.
    void ScaleForDesign(int ppi, int textHeight);
    int DesignClientWidth = 0, DesignClientHeight = 0;

protected:
    void CreateParams(TCreateParams& p) override;

private:
    TWinControl* FirstInTabOrder();
    void FocusActiveControl();
    // A window handle rather than the object, so a control that went away is simply
    // not found again.
    HWND FActiveWnd = nullptr;
};

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;
    const char* ClassName() const override { return "TApplication"; }

    // Common controls, and COM in a single-threaded apartment for the shell's dialogs
    // (the folder browser needs it on the thread that shows it); the destructor releases COM.
    void Initialize();
    std::string Title() const;
    void SetTitle(const std::string& title);
    // The message boxes the exception display shows its errors in: the system's own unless
    // set.
    IMessageBoxes& MessageBoxes() const { return *FMessageBoxes; }
    void SetMessageBoxes(IMessageBoxes& boxes) { FMessageBoxes = &boxes; }
    // Makes a form owned by the application, with `args` after the owner for its
    // constructor; the first becomes the main form.
    template <class T, class... Args> void CreateForm(T*& ref, Args&&... args) {
        ref = new T(this, std::forward<Args>(args)...);
        if (!MainForm) SetMainForm(ref);
    }
    // The main form ends the application when it closes, and it is the program's entry on
    // the taskbar and in Alt+Tab, a tool window too: its caption and icon stand for the
    // program there. The form stays unowned, so nothing but itself appears.
    void SetMainForm(TForm* form);
    TForm* MainForm = nullptr;

    // Shows the main form and runs the message loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated = false;
    // Handles every waiting message, then returns.
    void ProcessMessages();
    // Handles one message, or idles and waits for one.
    void HandleMessage();
    // Work done when the queue runs empty (mouse tracking of graphic controls and the like).
    std::vector<std::function<void()>> IdleHandlers;

private:
    OleInitialized FOle;
    TMessageBoxes FRealMessageBoxes;
    IMessageBoxes* FMessageBoxes = &FRealMessageBoxes;
    bool ProcessMessage(MSG& msg);
    bool PreProcess(MSG& msg);
    void Idle();
};

extern TApplication* Application;

// The window a modal dialog of the program belongs to, and which it disables while open:
// the active window of this thread, or the shown main form when another program is active
// (a drop, a timer), so that nothing reaches the main form meanwhile either.
HWND DialogOwner();
