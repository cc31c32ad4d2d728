#pragma once
// The combo box over the system's COMBOBOX: its items are reached through Items, whose
// operations become the CB_* messages (so a descendant that intercepts those messages
// sees every change), the selection through ItemIndex.
#include "framework/Controls.h"

#include <exception>
#include <string>
#include <vector>

class TCustomComboBox;

class TComboItems {
public:
    explicit TComboItems(TCustomComboBox* box) : FBox(box) {}
    int Add(const std::string& s);
    void Insert(int index, const std::string& s);
    void Delete(int index);
    void Clear();
    int Count() const;
    // The item as the combo box gives it (GetItemText); empty for an index out of range.
    std::string Get(int index) const;
    std::string operator[](int index) const { return Get(index); }
    // Many changes in a row: the control does not redraw until the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();

private:
    TCustomComboBox* FBox;
    int FUpdating = 0;
};

enum TComboBoxStyle { csDropDown, csDropDownList };

// The owner-draw item state bits (ODS_*) of a DRAWITEMSTRUCT.
using TOwnerDrawState = unsigned;

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    const char* ClassName() const override { return "TCustomComboBox"; }
    void Dispatch(TMessage& msg) override;

    TComboItems* Items() { return &FItems; }
    int ItemIndex() const;
    void SetItemIndex(int index);
    int DropDownCount = 8;
    int ItemHeight() const { return FItemHeight; }
    virtual void SetItemHeight(int v);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);

    TNotifyEvent OnChange, OnDropDown;
    TCanvas* Canvas() { return &FCanvas; }

    // An item message that the window procedure refused with CB_ERR because of an error
    // of ours (an index out of range): the item collection raises it for its caller,
    // since no exception may leave the window procedure itself. Only the collection's own
    // messages park one; a bad message from another sender is refused and leaves nothing.
    void SetItemError(std::exception_ptr e);
    void RaiseItemError();

    // Item index as Items reads it: here the control's CB_GETLBTEXT, sized by
    // CB_GETLBTEXTLEN. A descendant that keeps more behind an item than the control holds
    // answers from its own store, whatever the message hands to other programs.
    virtual std::string GetItemText(int index);

protected:
    // The text that CB_ADDSTRING or CB_INSERTSTRING carries (the window is Unicode, so
    // it is UTF-16): the item collection's own bytes, exactly as they were given, when the
    // message is the collection's; else the sender's text in the program's code page.
    std::string ItemTextOf(LPARAM lParam) const;
    void CreateParams(TCreateParams& p) override;
    void DestroyHandleStarting() override;
    void CreateHandleDone() override;
    virtual void Change();
    virtual void DropDown();
    void SizeForDropDown();
    // The height of list rows and of the closed field that the measure-item request answers.
    virtual void MeasureItem(MEASUREITEMSTRUCT& mis);
    // Prepares the canvas on the item's device context and draws the item.
    virtual void CNDrawItem(TMessage& msg);
    // Draws item index (0 or more) on the prepared canvas.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);

    int FItemHeight = 16;
    TComboBoxStyle FStyle = csDropDown;

private:
    friend class TComboItems;
    // Sends one of the item collection's messages, with its text in UTF-16; an error
    // parked meanwhile is its own.
    LRESULT SendItemMessage(UINT msg, WPARAM wParam, const std::string* text = nullptr);
    // The text of the item message being sent: its UTF-16 form and the bytes it came
    // from, so that bytes with no UTF-16 form (a stray lead byte) reach the items whole.
    struct ItemBytes {
        const wchar_t* wide = nullptr;
        const std::string* bytes = nullptr;
    };
    ItemBytes FItemBytes;

    TComboItems FItems{this};
    TCanvas FCanvas;
    std::exception_ptr FItemError;
    int FItemCalls = 0;
    std::vector<std::string> FSavedItems;
    int FSavedIndex = -1;
    bool FRestoring = false;
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
    const char* ClassName() const override { return "TComboBox"; }
};
