#pragma once
// Makes a shell shortcut as the explorer makes one, for the window tests and the probe of
// the end-to-end cases.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

namespace TestSupport {

// A shortcut (IShellLinkW) at `lnk` that points to `target`; the caller's thread has COM.
inline HRESULT SaveShortcut(const std::wstring& lnk, const std::wstring& target) {
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link));
    if (SUCCEEDED(hr)) hr = link->SetPath(target.c_str());
    if (SUCCEEDED(hr)) hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(hr)) hr = file->Save(lnk.c_str(), TRUE);
    if (file) file->Release();
    if (link) link->Release();
    return hr;
}

} // namespace TestSupport
