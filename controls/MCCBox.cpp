#include "controls/MCCBox.h"

#include "controls/portable/CommaText.h"
#include "controls/portable/McRowLayout.h"
#include "framework/Exceptions.h"
#include "framework/WideText.h"

#include <algorithm>
#include <cstring>
#include <vector>

TMultiColComboBox::TMultiColComboBox(TComponent* AOwner)
    : TCustomComboBox(AOwner), FEntries(SplitCommaText, CodePage::Cp932()) {
    FParentColor = false;
    FItemHeight = 15;
    FColumns.Add();
}

TMultiColComboBox::~TMultiColComboBox() {
    // The window may still send item messages while it goes; it must find no entries.
    FEntries.Clear();
}

void TMultiColComboBox::CreateParams(TCreateParams& p) {
    TCustomComboBox::CreateParams(p);
    p.Style |= CBS_OWNERDRAWFIXED;
}

// ---------------------------------------------------------------- entry bookkeeping

void TMultiColComboBox::PassShown(TMessage& msg, const std::string& entry) {
    const std::wstring shown = Widen(FEntries.ShownText(entry, FTargetColumn));
    msg.LParam = reinterpret_cast<LPARAM>(shown.c_str());
    TCustomComboBox::Dispatch(msg);
}

void TMultiColComboBox::CBAddString(TMessage& msg) {
    const std::string entry = ItemTextOf(msg.LParam);
    const int index = FEntries.Add(entry);
    PassShown(msg, entry);
    // A refused item leaves no entry behind, so the two lists stay in step.
    if (msg.Result < 0) FEntries.Delete(index);
}

void TMultiColComboBox::CBInsertString(TMessage& msg) {
    const int index = static_cast<int>(msg.WParam);
    const std::string entry = ItemTextOf(msg.LParam);
    try {
        FEntries.Insert(index, entry);
    } catch (const McListIndexError& e) {
        SetItemError(std::make_exception_ptr(EListError(e.what())));
        msg.Result = CB_ERR;
        return;
    }
    PassShown(msg, entry);
    if (msg.Result < 0) FEntries.Delete(index);
}

void TMultiColComboBox::CBDeleteString(TMessage& msg) {
    try {
        FEntries.Delete(static_cast<int>(msg.WParam));
    } catch (const McListIndexError& e) {
        SetItemError(std::make_exception_ptr(EListError(e.what())));
        msg.Result = CB_ERR;
        return;
    }
    TCustomComboBox::Dispatch(msg);
}

void TMultiColComboBox::CBResetContent(TMessage& msg) {
    FEntries.Clear();
    TCustomComboBox::Dispatch(msg);
}

// CB_GETLBTEXT carries no buffer size. Windows sizes the buffer of a translated request
// by the length query; Wine hands the window (a Unicode one) an ANSI sender's request in a
// fixed buffer of 512 characters of its own, whatever the length query said. So the
// message hands out at most that much of an entry (4096 bytes with a NUL on Windows, 512
// under Wine), cut before a double-byte character that would not fit, in UTF-16, and the
// length query answers just the characters it hands out. The program itself reads
// entries through GetItemText and gets them whole.
std::size_t TMultiColComboBox::ItemTextCapacity() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine ? 512 : 4096;
}

std::wstring TMultiColComboBox::HandedOutText(int index) const {
    std::string bytes(ItemTextCapacity(), '\0');
    const int n = FEntries.CopyText(index, bytes.data(), bytes.size());
    return Widen(std::string_view(bytes.data(), static_cast<size_t>(std::max(n, 0))));
}

void TMultiColComboBox::CBGetLBTextLen(TMessage& msg) {
    TCustomComboBox::Dispatch(msg);
    if (msg.Result < 0) return;
    const int index = static_cast<int>(msg.WParam);
    msg.Result = FEntries.TextLength(index, 0) < 0 ? CB_ERR : static_cast<LRESULT>(HandedOutText(index).size());
}

void TMultiColComboBox::CBGetLBText(TMessage& msg) {
    const int index = static_cast<int>(msg.WParam);
    if (FEntries.TextLength(index, 0) < 0 || msg.LParam == 0) {
        TCustomComboBox::Dispatch(msg);
        return;
    }
    const std::wstring wide = HandedOutText(index);
    auto* out = reinterpret_cast<wchar_t*>(msg.LParam);
    std::copy(wide.begin(), wide.end(), out);
    out[wide.size()] = L'\0';
    msg.Result = static_cast<LRESULT>(wide.size());
}

std::string TMultiColComboBox::GetItemText(int index) {
    return index >= 0 && index < FEntries.Count() ? FEntries.Get(index) : std::string();
}

// Whatever the system answers (CB_ERR included, for a row a variable-height list lacks),
// the answer is the height the measure-item request gives.
void TMultiColComboBox::CBGetItemHeight(TMessage& msg) {
    TCustomComboBox::Dispatch(msg);
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_COMBOBOX;
    mis.itemID = static_cast<UINT>(msg.WParam);
    mis.itemHeight = msg.Result > 0 ? static_cast<UINT>(msg.Result) : 0;
    Perform(CN_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    msg.Result = static_cast<LRESULT>(mis.itemHeight);
}

// ---------------------------------------------------------------- settings

void TMultiColComboBox::SetTargetColumn(std::uint8_t v) {
    if (v == FTargetColumn) return;
    FTargetColumn = v;
    if (HandleAllocated()) RefillShown();
    Invalidate();
}

void TMultiColComboBox::SetIndent(int v) {
    if (StoreIfChanged(FIndent, v)) Invalidate();
}

// Straight to the system control: the entries themselves stay as they are.
void TMultiColComboBox::RefillShown() {
    const int selected = ItemIndex();
    TMessage reset{CB_RESETCONTENT, 0, 0, 0};
    TCustomComboBox::Dispatch(reset);
    for (int i = 0; i < FEntries.Count(); ++i) {
        TMessage add{CB_ADDSTRING, 0, 0, 0};
        PassShown(add, FEntries.Get(i));
    }
    SetItemIndex(selected);
}

// ---------------------------------------------------------------- text

std::string TMultiColComboBox::GetColumnText(int index, int column) const {
    return FEntries.GetColumnText(index, column);
}

std::string TMultiColComboBox::GetSelectedText() {
    bool modified = false;
    std::string text;
    if (CanEdit() && HandleAllocated()) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(FHandle, &info) && info.hwndItem)
            modified = SendMessageW(info.hwndItem, EM_GETMODIFY, 0, 0) != 0;
        if (modified) text = GetText();
    }
    return FEntries.SelectedText(CanEdit(), modified, text, ItemIndex(), FTargetColumn);
}

// ---------------------------------------------------------------- drawing

void TMultiColComboBox::CNDrawItem(TMessage& msg) {
    FDrawingEdit =
        (reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam)->itemState & ODS_COMBOBOXEDIT) != 0;
    TCustomComboBox::CNDrawItem(msg);
}

void TMultiColComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    TCanvas* canvas = Canvas();
    if (FDrawingEdit) {
        canvas->FillRect(rect);
        canvas->TextAt(rect.Left + 2, rect.Top + 2, GetSelectedText());
        return;
    }
    std::vector<std::string> fields;
    if (index >= 0 && index < FEntries.Count())
        SplitCommaText(FEntries.Get(index), fields, CodePage::Cp932());
    std::vector<int> widths;
    for (int i = 0; i < FColumns.Count(); ++i)
        widths.push_back(FColumns.Items(i)->Width);
    const McRowLayout row = LayoutRow(rect, widths, static_cast<int>(fields.size()));
    const bool selected = (state & ODS_SELECTED) != 0;
    for (int i = 0; i < FColumns.Count(); ++i) {
        const McCellLayout& cell = row.Cells[static_cast<size_t>(i)];
        TCBColumn* column = FColumns.Items(i);
        if (!cell.Drawn) {
            // No cell, but the column still sets the brush: what lies past the last column
            // is filled in the last column's colour even when it has no width.
            column->PrepareCanvas(this, selected);
            continue;
        }
        const std::string text = cell.Field >= 0 ? fields[static_cast<size_t>(cell.Field)] : "";
        column->DrawColumn(this, cell.Cell, text, selected);
    }
    if (row.HasFill) canvas->FillRect(row.Fill);
}

// ---------------------------------------------------------------- opening the list

void TMultiColComboBox::DropDown() {
    TCustomComboBox::DropDown();
    std::vector<int> widths;
    for (int i = 0; i < FColumns.Count(); ++i)
        widths.push_back(FColumns.Items(i)->Width);
    SendMessageW(Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(DroppedWidth(widths)), 0);
}

// ---------------------------------------------------------------- messages

void TMultiColComboBox::Dispatch(TMessage& msg) {
    switch (msg.Msg) {
    case CM_COLORCHANGED:
        TCustomComboBox::Dispatch(msg);
        FColumns.ColorChanged();
        return;
    case CM_FONTCHANGED:
        TCustomComboBox::Dispatch(msg);
        FColumns.FontChanged();
        return;
    case CB_GETLBTEXT:
        CBGetLBText(msg);
        return;
    case CB_GETLBTEXTLEN:
        CBGetLBTextLen(msg);
        return;
    case CB_ADDSTRING:
        CBAddString(msg);
        return;
    case CB_INSERTSTRING:
        CBInsertString(msg);
        return;
    case CB_DELETESTRING:
        CBDeleteString(msg);
        return;
    case CB_RESETCONTENT:
        CBResetContent(msg);
        return;
    case CB_GETITEMHEIGHT:
        CBGetItemHeight(msg);
        return;
    }
    TCustomComboBox::Dispatch(msg);
}
