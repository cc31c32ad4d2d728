#pragma once
// Owners of the system's handles and guards for the scopes the system wants closed:
// each gives back what it got when it goes, on the normal path and when an exception
// passes. None can be copied; the owners that are kept in members can be moved.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shtypes.h>

#include <exception>
#include <utility>

// One handle and what gives it back: `Free` says which values are none and how a
// handle that is not none is closed.
template <class H, class Free> class Owned {
public:
    Owned() = default;
    explicit Owned(H h) : FHandle(h) {}
    ~Owned() { Reset(); }
    Owned(Owned&& o) noexcept : FHandle(std::exchange(o.FHandle, nullptr)) {}
    Owned& operator=(Owned&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.FHandle, nullptr));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    void Reset(H h = nullptr) {
        if (Valid()) Free::Close(FHandle);
        FHandle = h;
    }
    bool Valid() const { return Free::Valid(FHandle); }
    H Get() const { return FHandle; }
    // For the calls that wait on an array of handles, here of one.
    const H* Address() const { return &FHandle; }
    // For the calls that hand the handle out through a pointer (OpenProcessToken).
    H* Put() {
        Reset();
        return &FHandle;
    }

private:
    H FHandle = nullptr;
};

// Files answer INVALID_HANDLE_VALUE for none, the other kernel objects a null handle:
// both mean none here.
struct KernelClose {
    static bool Valid(HANDLE h) { return h && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct GdiDelete {
    static bool Valid(HGDIOBJ h) { return h != nullptr; }
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct MenuDestroy {
    static bool Valid(HMENU h) { return h != nullptr; }
    static void Close(HMENU h) { DestroyMenu(h); }
};
struct ViewUnmap {
    static bool Valid(void* p) { return p != nullptr; }
    static void Close(void* p) { UnmapViewOfFile(p); }
};
// The shell hands out item lists from its allocator, which is the COM task allocator.
struct TaskMemFree {
    static bool Valid(void* p) { return p != nullptr; }
    static void Close(void* p) { CoTaskMemFree(p); }
};
struct MemoryDCDelete {
    static bool Valid(HDC h) { return h != nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};

// A kernel object's handle (a file, an event, a mutex, a mapping, a token).
using KernelHandle = Owned<HANDLE, KernelClose>;
// One GDI object (a font, brush, pen or bitmap).
using GdiObject = Owned<HGDIOBJ, GdiDelete>;
// A menu of our own that no window holds (CreatePopupMenu).
using MenuHandle = Owned<HMENU, MenuDestroy>;
// A file mapping's view in this process (MapViewOfFile).
using MappedView = Owned<void*, ViewUnmap>;
// A shell item list (SHBrowseForFolderW, IShellLinkW::GetIDList).
using ItemIdList = Owned<PIDLIST_ABSOLUTE, TaskMemFree>;
// A memory device context of our own (CreateCompatibleDC).
using MemoryDC = Owned<HDC, MemoryDCDelete>;

// A window's device context (the screen's for no window), released again.
class WindowDC {
public:
    explicit WindowDC(HWND window = nullptr) : FWindow(window), FDC(GetDC(window)) {}
    ~WindowDC() {
        if (FDC) ReleaseDC(FWindow, FDC);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return FDC; }

private:
    HWND FWindow;
    HDC FDC;
};

// A device context changed for a scope: `Back` puts what was recorded back at its end.
template <class Old, class Back> class DCChange {
public:
    ~DCChange() { Back{}(FDC, FOld); }
    DCChange(const DCChange&) = delete;
    DCChange& operator=(const DCChange&) = delete;

protected:
    DCChange(HDC dc, Old old) : FDC(dc), FOld(old) {}

private:
    HDC FDC;
    Old FOld;
};

struct SelectBack {
    void operator()(HDC dc, HGDIOBJ old) const { SelectObject(dc, old); }
};
struct RestoreBack {
    void operator()(HDC dc, int saved) const { RestoreDC(dc, saved); }
};

// Selects a GDI object into a device context for a scope and puts the old one back.
class ScopedSelect : public DCChange<HGDIOBJ, SelectBack> {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : DCChange(dc, SelectObject(dc, obj)) {}
};

// The device context's state (origin, clipping, selected objects) saved for a scope.
class SavedDC : public DCChange<int, RestoreBack> {
public:
    explicit SavedDC(HDC dc) : DCChange(dc, SaveDC(dc)) {}
};

// A window's paint: BeginPaint and EndPaint around it, or, when the message brought a
// device context of its own (WM_PAINT from a caller, WM_PRINTCLIENT), that context and
// the whole client area, with nothing to begin or end.
class PaintScope {
public:
    PaintScope(HWND window, HDC given) : FWindow(window), FDC(given) {
        if (FDC) {
            GetClientRect(FWindow, &FUpdate);
        } else {
            FDC = BeginPaint(FWindow, &FPaint);
            FBegun = true;
            FUpdate = FPaint.rcPaint;
        }
    }
    ~PaintScope() {
        if (FBegun) EndPaint(FWindow, &FPaint);
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC DC() const { return FDC; }
    const RECT& Update() const { return FUpdate; }

private:
    HWND FWindow;
    HDC FDC;
    bool FBegun = false;
    PAINTSTRUCT FPaint{};
    RECT FUpdate{};
};

// The files of a drop, which the system keeps until DragFinish.
class DroppedFiles {
public:
    explicit DroppedFiles(HDROP drop) : FDrop(drop) {}
    ~DroppedFiles() { DragFinish(FDrop); }
    DroppedFiles(const DroppedFiles&) = delete;
    DroppedFiles& operator=(const DroppedFiles&) = delete;
    HDROP Get() const { return FDrop; }

private:
    HDROP FDrop;
};

// OLE for the thread, balanced with OleUninitialize when it was had.
class OleInitialized {
public:
    OleInitialized() = default;
    ~OleInitialized() {
        if (FDone) OleUninitialize();
    }
    OleInitialized(const OleInitialized&) = delete;
    OleInitialized& operator=(const OleInitialized&) = delete;
    // Once only: every successful call must be balanced by one release.
    void Initialize() {
        if (!FDone) FDone = SUCCEEDED(OleInitialize(nullptr));
    }

private:
    bool FDone = false;
};

// A COM interface pointer, released when it goes.
template <class T> class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (FPtr) FPtr->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return FPtr; }
    // For the calls that hand an interface out through a void** (CoCreateInstance,
    // QueryInterface).
    void** Put() { return reinterpret_cast<void**>(&FPtr); }

private:
    T* FPtr = nullptr;
};

// Many changes to a collection in a row, between its BeginUpdate and EndUpdate.
// EndUpdate sends messages and may raise an error parked by the control's window
// procedure. On the normal path that error goes to the caller as it would from a plain
// call, so the destructor may throw; while another exception unwinds the scope it must
// not (that would end the program), and that first exception is the one reported.
template <class Items> class UpdateScope {
public:
    explicit UpdateScope(Items& items) : FItems(items) { FItems.BeginUpdate(); }
    ~UpdateScope() noexcept(false) {
        if (std::uncaught_exceptions() == FUnwinding) {
            FItems.EndUpdate();
            return;
        }
        try {
            FItems.EndUpdate();
        } catch (...) {
        }
    }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    Items& FItems;
    const int FUnwinding = std::uncaught_exceptions();
};
