#include "framework/Menus.h"

#include "framework/WideText.h"

#include <windows.h>

std::string ShortCutToText(TShortCut sc) {
    std::string s;
    if (sc & scShift) s += "Shift+";
    if (sc & scCtrl) s += "Ctrl+";
    if (sc & scAlt) s += "Alt+";
    const unsigned key = sc & 0xFF;
    // The arrows by their signs: by its scan code alone an arrow is named as the key of
    // the number pad that shares it.
    const char* const arrows[] = {"←", "↑", "→", "↓"};
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        s += static_cast<char>(key);
    else if (key >= VK_LEFT && key <= VK_DOWN)
        s += arrows[key - VK_LEFT];
    else {
        wchar_t name[64] = {};
        const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
        if (GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64) > 0) s += NarrowShown(name);
    }
    return s;
}

void TMenuItem::Click() {
    if (Enabled && OnClick) OnClick(this);
}

MenuHandle TPopupMenu::MakeMenuHandle() const {
    MenuHandle owned{CreatePopupMenu()};
    const HMENU menu = owned.Get();
    for (size_t i = 0; i < Items.size(); ++i) {
        const TMenuItem* it = Items[i];
        if (it->IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = it->Caption;
        if (it->ShortCut) text += "\t" + ShortCutToText(it->ShortCut);
        AppendMenuW(menu, MF_STRING | (it->Enabled ? 0 : MF_GRAYED), i + 1, Widen(text).c_str());
    }
    return owned;
}

void TPopupMenu::Popup(int x, int y) {
    HWND owner = OwnerWindow;
    if (!owner) owner = GetActiveWindow();
    SetForegroundWindow(owner);
    UINT chosen = 0;
    {
        // The menu is gone before the chosen command runs (which may open a dialog).
        const MenuHandle menu = MakeMenuHandle();
        chosen = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr);
    }
    PostMessageW(owner, WM_NULL, 0, 0);
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
