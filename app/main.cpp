// Kestrovane1: an always-on-top launcher for a list of named folders.
#include "app/MainWindow1.h"
#include "framework/ExceptionDisplay.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        TApplication app;
        Application->Initialize();
        Application->SetTitle("Kestrovane1");
        Application->CreateForm(MainForm1);
        Application->Run();
    } catch (...) {
        ExceptionDisplay::HandleCurrentException();
    }
    return 0;
}
