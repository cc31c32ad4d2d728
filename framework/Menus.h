#pragma once
// Pop-up menus: items with captions ("-" is a separator), enabled state, shortcuts
// (key code + 0x4000 for Ctrl, 0x2000 for Shift, 0x8000 for Alt) and a click handler.
#include "framework/Classes.h"
#include "framework/Handles.h"

#include <windows.h>

#include <string>
#include <vector>

using TShortCut = unsigned short;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

// "Ctrl+N" for 16462.
std::string ShortCutToText(TShortCut sc);

class TMenuItem : public TComponent {
public:
    using TComponent::TComponent;
    const char* ClassName() const override { return "TMenuItem"; }
    std::string Caption;
    TShortCut ShortCut = 0;
    bool Enabled = true;
    TNotifyEvent OnClick;
    bool IsSeparator() const { return Caption == "-"; }
    // Runs the handler unless the item is disabled.
    virtual void Click();
};

class TPopupMenu : public TComponent {
public:
    using TComponent::TComponent;
    const char* ClassName() const override { return "TPopupMenu"; }
    std::vector<TMenuItem*> Items;
    void Add(TMenuItem* item) { Items.push_back(item); }
    // Shows the menu at a screen point and runs the chosen item.
    void Popup(int x, int y);
    // The menu as Popup shows it: every item with its shortcut, disabled ones greyed,
    // item i answering i + 1. The caller destroys it.
    MenuHandle MakeMenuHandle() const;
    // Runs the enabled item whose shortcut this is; true when an item took it (a
    // disabled item ignores its shortcut, which then acts as no shortcut at all).
    bool IsShortCut(TShortCut sc);
    // The window that receives the menu's messages while it is open.
    HWND OwnerWindow = nullptr;
};
