#include "framework/Menus.h"

#include <windows.h>

std::string ShortCutToText(TShortCut sc) {
    std::string s;
    if (sc & scShift) s += "Shift+";
    if (sc & scCtrl) s += "Ctrl+";
    if (sc & scAlt) s += "Alt+";
    const unsigned key = sc & 0xFF;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        s += static_cast<char>(key);
    else {
        char name[64] = {};
        const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
        if (GetKeyNameTextA(static_cast<LONG>(scan << 16), name, sizeof name) > 0) s += name;
    }
    return s;
}

void TMenuItem::Click() {
    if (Enabled && OnClick) OnClick(this);
}

HMENU TPopupMenu::MakeMenuHandle() const {
    HMENU menu = CreatePopupMenu();
    for (size_t i = 0; i < Items.size(); ++i) {
        const TMenuItem* it = Items[i];
        if (it->IsSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = it->Caption;
        if (it->ShortCut) text += "\t" + ShortCutToText(it->ShortCut);
        AppendMenuA(menu, MF_STRING | (it->Enabled ? 0 : MF_GRAYED), i + 1, text.c_str());
    }
    return menu;
}

void TPopupMenu::Popup(int x, int y) {
    HMENU menu = MakeMenuHandle();
    HWND owner = static_cast<HWND>(OwnerWindow);
    if (!owner) owner = GetActiveWindow();
    SetForegroundWindow(owner);
    const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr);
    DestroyMenu(menu);
    PostMessageA(owner, WM_NULL, 0, 0);
    if (chosen >= 1 && chosen <= Items.size()) Items[chosen - 1]->Click();
}

bool TPopupMenu::IsShortCut(TShortCut sc) {
    for (TMenuItem* it : Items) {
        if (it->ShortCut == sc && !it->IsSeparator()) {
            if (!it->Enabled) return false;
            it->Click();
            return true;
        }
    }
    return false;
}
