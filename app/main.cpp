// Kestrovane1: an always-on-top launcher for a list of named folders.
#include "app/MainWindow1.h"
#include "app/SingleInstance.h"
#include "framework/ExceptionDisplay.h"
#include "framework/Exceptions.h"
#include "framework/WideText.h"

#include <windows.h>

namespace {

// Said by a start that can neither open its own window nor bring forward the running one.
constexpr const char* ListInUseText = "ファイル %s は、別に起動している Kestrovane1 が使用中です";

// Runs the window until it has closed and is gone, with its list saved.
void RunWindow(TSingleInstance& instance) {
    TApplication app;
    Application->Initialize();
    Application->SetTitle("Kestrovane1");
    Application->CreateForm(MainForm1);
    const HWND window = MainForm1->Handle();
    instance.Publish(window);
    // While the window closes (its list being saved), a new start waits for this copy to
    // let go instead of bringing forward a window that is about to go.
    TCloseEvent formClose = MainForm1->OnClose;
    MainForm1->OnClose = [&instance, formClose, window](TObject* sender, TCloseAction& action) {
        instance.Withdraw();
        try {
            formClose(sender, action);
        } catch (...) {
            instance.Publish(window);
            throw;
        }
        if (action == caNone) instance.Publish(window);
    };
    Application->Run();
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        // One window per list file: a second start only brings the running one forward,
        // before it has read or shown anything.
        TSingleInstance instance(ListFileOfThisProgram());
        if (!instance.Claim()) {
            if (instance.InUse()) {
                ExceptionDisplay::Title = "Kestrovane1";
                throw Exception(Format(ListInUseText, NarrowShown(ListFileOfThisProgram())));
            }
            return 0;
        }
        RunWindow(instance);
        // The window is gone: a start from now on opens its own on the list as saved.
        instance.Release();
    } catch (...) {
        ExceptionDisplay::HandleCurrentException();
    }
    return 0;
}
