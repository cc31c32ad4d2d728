#pragma once
// One window per list file. The copy of the program that starts first for a list file
// holds a mutex named after the file's normalised path in the user's logon session, and
// leaves its window's handle in a small named file mapping beside it. A later start for
// the same file, however its folder is spelled, finds that window through the mapping
// (never by class or caption, which any program can imitate), brings it to the front
// and ends; a copy in another folder has another list file and runs beside it.
#include <windows.h>

#include <string>

class TSingleInstance {
public:
    explicit TSingleInstance(const std::wstring& listFile);
    ~TSingleInstance();
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    // True when this copy is to run: no other copy runs for the list file, or the one that
    // did has ended while this one waited for its window. Otherwise the running copy's
    // window has been brought to the front (or that copy never showed one in time).
    bool Claim();
    // The first copy's window, for later starts to find.
    void Publish(HWND window);

private:
    bool TryOwn();
    HWND RunningWindow() const;

    HANDLE FMutex = nullptr;
    HANDLE FMapping = nullptr;
    void* FView = nullptr;
    bool FOwned = false;
};

// The list file's path as Windows compares file names: full, through the folder's final
// path (links and substituted drives resolved) or else its long form, upper-cased.
std::wstring NormalisedListPath(const std::wstring& path);
// The name of the objects for a list file (the mapping adds ".window").
std::wstring InstanceNameFor(const std::wstring& listFile);
// The list file beside the running executable.
std::wstring ListFileOfThisProgram();
// Brings `window` (of another process) to the front, restored if minimised; a dialog it
// has open comes to the front in its place.
void BringToFront(HWND window);
