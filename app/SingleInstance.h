#pragma once
// One window per list file. The copy of the program that starts first for a list file
// holds a mutex named after the file's normalised path in the user's logon session, and
// leaves its window's handle in a small named file mapping beside it. A later start for
// the same file, however its folder is spelled, finds that window through the mapping
// (never by class or caption, which any program can imitate), brings it to the front
// and ends; a copy in another folder has another list file and runs beside it.
// A copy whose window is closing withdraws its window from the mapping while it saves,
// and lets go of the mutex as soon as its window is gone, so a start meeting it waits
// and then opens a window of its own on the list as saved.
// The objects grant the user's own account, whatever the integrity of the copy that made
// them, so an elevated copy and an ordinary one find each other.
#include "framework/Handles.h"

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
    // After a Claim that failed: true when no running window was brought forward (another
    // copy's objects cannot be opened, or it kept them without a window to show).
    bool InUse() const { return FInUse; }
    // The first copy's window, for later starts to find.
    void Publish(HWND window);
    // The window is closing: later starts wait for this copy to let go instead of
    // bringing forward a window about to go. A refused close publishes it again.
    void Withdraw();
    // The window is gone, its list saved: a start may take over now.
    void Release();

    // How long a start waits for another copy that shows no window to show one or end:
    // a few seconds more than the longest a closing copy's save waits for holds.
    static constexpr DWORD ClaimWaitMs = 10000;

private:
    bool TryOwn();
    HWND RunningWindow() const;

    KernelHandle FMutex;
    KernelHandle FMapping;
    MappedView FView;
    bool FOwned = false;
    bool FDenied = false;  // the objects are there but closed to this account
    bool FInUse = false;
};

// The access the one-window objects are made with: every right for the user's own
// account (the token's user), and writable from the ordinary integrity level.
// Empty when the account cannot be read; the objects then get the default access.
std::string OneWindowSecurity();

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
