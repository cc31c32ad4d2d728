#include "framework/ComboBox.h"

#include "framework/Exceptions.h"
#include "framework/WideText.h"
#include "framework/portable/ComboRows.h"

#include <commctrl.h>

#include <algorithm>

// ---------------------------------------------------------------- TComboItems

int TComboItems::Add(const std::string& s) {
    const LRESULT r = FBox->SendItemMessage(CB_ADDSTRING, 0, &s);
    if (r < 0) {
        FBox->RaiseItemError();
        throw EOutOfResources(Texts::InsertLineError);
    }
    return static_cast<int>(r);
}

void TComboItems::Insert(int index, const std::string& s) {
    const LRESULT r = FBox->SendItemMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), &s);
    if (r < 0) {
        FBox->RaiseItemError();
        throw EOutOfResources(Texts::InsertLineError);
    }
}

void TComboItems::Delete(int index) {
    if (FBox->SendItemMessage(CB_DELETESTRING, static_cast<WPARAM>(index)) < 0)
        FBox->RaiseItemError();
}

void TComboItems::Clear() { SendMessageW(FBox->Handle(), CB_RESETCONTENT, 0, 0); }

int TComboItems::Count() const {
    return static_cast<int>(SendMessageW(FBox->Handle(), CB_GETCOUNT, 0, 0));
}

std::string TComboItems::Get(int index) const { return FBox->GetItemText(index); }

std::string TCustomComboBox::GetItemText(int index) {
    HWND h = Handle();
    const LRESULT len = SendMessageW(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len < 0) return {};
    std::wstring s(static_cast<size_t>(len) + 1, L'\0');
    const LRESULT got = SendMessageW(h, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    if (got < 0) return {};
    s.resize(static_cast<size_t>(std::min<LRESULT>(got, len)));
    return NarrowShown(s);
}

void TComboItems::BeginUpdate() {
    if (FUpdating++ == 0) SendMessageW(FBox->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TComboItems::EndUpdate() {
    if (FUpdating == 0 || --FUpdating > 0) return;
    SendMessageW(FBox->Handle(), WM_SETREDRAW, TRUE, 0);
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
    return HandleAllocated() ? static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0)) : -1;
}

void TCustomComboBox::SetItemIndex(int index) {
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
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

LRESULT TCustomComboBox::SendItemMessage(UINT msg, WPARAM wParam, const std::string* text) {
    HWND h = Handle();
    FItemError = nullptr;
    const std::wstring wide = text ? Widen(*text) : std::wstring();
    const ItemBytes outer = FItemBytes;
    if (text) FItemBytes = {wide.c_str(), text};
    ++FItemCalls;
    const LRESULT r = SendMessageW(h, msg, wParam, text ? reinterpret_cast<LPARAM>(wide.c_str()) : 0);
    --FItemCalls;
    FItemBytes = outer;
    return r;
}

std::string TCustomComboBox::ItemTextOf(LPARAM lParam) const {
    if (lParam == 0) return {};
    // The message carries the text up to a NUL, the collection's bytes too.
    if (FItemBytes.wide && reinterpret_cast<const wchar_t*>(lParam) == FItemBytes.wide) return FItemBytes.bytes->c_str();
    return NarrowShown(reinterpret_cast<const wchar_t*>(lParam));
}

void TCustomComboBox::SetItemError(std::exception_ptr e) {
    if (FItemCalls > 0) FItemError = std::move(e);
}

void TCustomComboBox::RaiseItemError() {
    if (!FItemError) return;
    std::exception_ptr e = std::move(FItemError);
    FItemError = nullptr;
    std::rethrow_exception(e);
}

void TCustomComboBox::CNDrawItem(TMessage& msg) {
    auto& dis = *reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam);
    const TOwnerDrawState state = dis.itemState;
    const int index = static_cast<int>(dis.itemID);
    const TRect rect{dis.rcItem.left, dis.rcItem.top, dis.rcItem.right, dis.rcItem.bottom};
    {
        const CanvasOn canvas(FCanvas, dis.hDC);
        FCanvas.Font.Assign(&FFont);
        FCanvas.Brush.SetColor(FColor);
        if (index >= 0 && (state & ODS_SELECTED)) {
            FCanvas.Brush.SetColor(clHighlight);
            FCanvas.Font.SetColor(clHighlightText);
        }
        if (index >= 0)
            DrawItem(index, rect, state);
        else
            FCanvas.FillRect(rect);
        if (state & ODS_FOCUS) DrawFocusRect(dis.hDC, &dis.rcItem);
    }
    msg.Result = TRUE;
}

void TCustomComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState) {
    FCanvas.FillRect(rect);
    FCanvas.TextAt(rect.Left + 2, rect.Top, FItems.Get(index));
}

// The window's height covers the closed field and the open list together: as many rows as
// there are items, at least one and at most DropDownCount. The combo box of common controls
// 6 sizes its list by its own least number of visible rows instead of the window's height
// (30 unless told), so it is told the same number of rows; it takes no fewer than one, which
// is all it shows where DropDownCount leaves no row at all.
void TCustomComboBox::SizeForDropDown() {
    if (!HandleAllocated()) return;
    const int rows = DropDownRows(FItems.Count(), DropDownCount);
    SendMessageW(FHandle, CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(rows, 1)), 0);
    RECT r;
    GetWindowRect(FHandle, &r);
    const int itemHeight = static_cast<int>(SendMessageW(FHandle, CB_GETITEMHEIGHT, 0, 0));
    const int h = itemHeight * rows + (r.bottom - r.top) + 2;
    SetWindowPos(FHandle, nullptr, 0, 0, r.right - r.left, h,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
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
        case CBN_DROPDOWN:
            DropDown();
            SizeForDropDown();
            break;
        }
        return;
    case CN_DRAWITEM:
        CNDrawItem(msg);
        return;
    case CN_MEASUREITEM:
        MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam));
        msg.Result = TRUE;
        return;
    }
    TWinControl::Dispatch(msg);
}
