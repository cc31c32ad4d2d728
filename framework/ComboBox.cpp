#include "framework/ComboBox.h"

#include "framework/Exceptions.h"

// ---------------------------------------------------------------- TComboItems

int TComboItems::Add(const std::string& s) {
    const LRESULT r = SendMessageA(FBox->Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    if (r < 0) throw EOutOfResources(Texts::InsertLineError);
    return static_cast<int>(r);
}

void TComboItems::Insert(int index, const std::string& s) {
    const LRESULT r = SendMessageA(FBox->Handle(), CB_INSERTSTRING, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(s.c_str()));
    if (r < 0) throw EOutOfResources(Texts::InsertLineError);
}

void TComboItems::Delete(int index) {
    SendMessageA(FBox->Handle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TComboItems::Clear() { SendMessageA(FBox->Handle(), CB_RESETCONTENT, 0, 0); }

int TComboItems::Count() const {
    return static_cast<int>(SendMessageA(FBox->Handle(), CB_GETCOUNT, 0, 0));
}

std::string TComboItems::Get(int index) const {
    HWND h = FBox->Handle();
    const LRESULT len = SendMessageA(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len < 0) return {};
    std::string s(static_cast<size_t>(len) + 1, '\0');
    const LRESULT got = SendMessageA(h, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    if (got < 0) return {};
    s.resize(static_cast<size_t>(std::min<LRESULT>(got, len)));
    return s;
}

void TComboItems::BeginUpdate() {
    if (FUpdating++ == 0) SendMessageA(FBox->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TComboItems::EndUpdate() {
    if (FUpdating == 0 || --FUpdating > 0) return;
    SendMessageA(FBox->Handle(), WM_SETREDRAW, TRUE, 0);
    FBox->Invalidate();
}

// ---------------------------------------------------------------- TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner) {
    ControlStyle = csSetCaption | csDoubleClicks;
    TabStop = true;
    FWidth = 145;
    FHeight = 21;
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClass = "COMBOBOX";
    p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS |
               (FStyle == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
    // The window's height includes the list's; the system keeps the closed part itself.
    p.Height = FHeight + FItemHeight * DropDownCount + 2;
}

int TCustomComboBox::ItemIndex() const {
    return HandleAllocated() ? static_cast<int>(SendMessageA(FHandle, CB_GETCURSEL, 0, 0)) : -1;
}

void TCustomComboBox::SetItemIndex(int index) {
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomComboBox::SetItemHeight(int v) {
    if (v <= 0) return;
    FItemHeight = v;
    RecreateWnd();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    RecreateWnd();
}

void TCustomComboBox::DestroyHandleStarting() {
    FSavedItems.clear();
    const int n = FItems.Count();
    for (int i = 0; i < n; ++i) FSavedItems.push_back(FItems.Get(i));
    FSavedIndex = ItemIndex();
    FRestoring = true;
}

void TCustomComboBox::CreateHandleDone() {
    if (!FRestoring) return;
    FRestoring = false;
    FItems.Clear();
    for (const auto& s : FSavedItems) FItems.Add(s);
    FSavedItems.clear();
    SetItemIndex(FSavedIndex);
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::MeasureItem(MEASUREITEMSTRUCT& mis) { mis.itemHeight = static_cast<UINT>(FItemHeight); }

void TCustomComboBox::Dispatch(TMessage& msg) {
    switch (msg.Msg) {
    case CN_COMMAND:
        switch (HIWORD(msg.WParam)) {
        case CBN_SELCHANGE: Change(); break;
        case CBN_DROPDOWN: DropDown(); break;
        }
        return;
    case CN_MEASUREITEM:
        MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam));
        msg.Result = TRUE;
        return;
    }
    TWinControl::Dispatch(msg);
}
