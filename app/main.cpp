// Kestrovane1: an always-on-top launcher for a list of named folders.
#include "app/MainWindow1.h"
#include "app/SingleInstance.h"
#include "framework/ExceptionDisplay.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        // One window per list file: a second start only brings the running one forward,
        // before it has read or shown anything.
        TSingleInstance instance(ListFileOfThisProgram());
        if (!instance.Claim()) return 0;
        TApplication app;
        Application->Initialize();
        Application->SetTitle("Kestrovane1");
        Application->CreateForm(MainForm1);
        instance.Publish(MainForm1->Handle());
        Application->Run();
    } catch (...) {
        ExceptionDisplay::HandleCurrentException();
    }
    return 0;
}
