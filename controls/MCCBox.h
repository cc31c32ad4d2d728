#pragma once
// The multi-column combo box: its items are whole entry strings of comma-text fields; the
// system control holds and shows only the target column of each, while the open list
// draws every field in its own column.
#include "controls/portable/McEntryBook.h"
#include "framework/Collection.h"
#include "framework/ComboBox.h"

#include <cstdint>
#include <string>

class TMultiColComboBox;

class TCBColumn : public TCollectionItem {
public:
    explicit TCBColumn(TCollection* collection);
    const char* ClassName() const override { return "TCBColumn"; }
    void Assign(TPersistent* Source) override;

    int Width = 60;
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TAlignment Alignment = taLeftJustify;
    TFont* Font() { return &FFont; }
    void SetFont(TFont* v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);

    void ParentColorChanged();
    void ParentFontChanged();
    // Sets the canvas's brush and font for this column's cells: on a selected row only the
    // font, keeping the highlight colours.
    void PrepareCanvas(TMultiColComboBox* combo, bool selected);
    // Draws one cell on the combo box's prepared canvas.
    void DrawColumn(TMultiColComboBox* combo, const TRect& rect, const std::string& text,
                    bool selected);

private:
    TMultiColComboBox* Combo() const;
    void FontChanged(TObject*);

    TColor FColor = clWindow;
    TFont FFont;
    bool FParentColor = true;
    bool FParentFont = true;
    bool FInParentFont = false;
};

class TCBColumns : public TCollection {
public:
    explicit TCBColumns(TMultiColComboBox* combo);
    const char* ClassName() const override { return "TCBColumns"; }
    TPersistent* GetOwner() override;
    TCBColumn* Items(int index) const { return static_cast<TCBColumn*>(GetItem(index)); }
    void SetItems(int index, TCBColumn* v) { SetItem(index, v); }
    TCBColumn* Add() { return static_cast<TCBColumn*>(TCollection::Add()); }
    void ColorChanged();
    void FontChanged();

private:
    TMultiColComboBox* FCombo;
};

class TMultiColComboBox : public TCustomComboBox {
public:
    explicit TMultiColComboBox(TComponent* AOwner);
    ~TMultiColComboBox() override;
    const char* ClassName() const override { return "TMultiColComboBox"; }
    void Dispatch(TMessage& msg) override;

    TCBColumns* Columns() { return &FColumns; }
    void SetColumns(TCBColumns* v) { FColumns.Assign(v); }
    // The field that the system control shows and the selection stands for. A new column
    // fills the system control anew, keeping the selection.
    std::uint8_t TargetColumn() const { return FTargetColumn; }
    void SetTargetColumn(std::uint8_t v);
    // Inset of the cell text from its left edge (from its right edge when right-aligned).
    int Indent() const { return FIndent; }
    void SetIndent(int v);
    bool CanEdit() const { return FStyle == csDropDown; }
    void SetCanEdit(bool v) { SetStyle(v ? csDropDown : csDropDownList); }

    std::string GetColumnText(int index, int column) const;
    std::string GetSelectedText();
    // The whole entry, straight from the entry list: no message buffer limits it.
    std::string GetItemText(int index) override;
    // The most bytes (NUL included) that CB_GETLBTEXT writes into a caller's buffer.
    static std::size_t ItemTextCapacity();
    // What CB_GETLBTEXT hands out of entry index (in range): as much of it as
    // ItemTextCapacity() bytes hold, in UTF-16.
    std::wstring HandedOutText(int index) const;

protected:
    void CreateParams(TCreateParams& p) override;
    void CNDrawItem(TMessage& msg) override;
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    void DropDown() override;

private:
    void CBAddString(TMessage& msg);
    void CBInsertString(TMessage& msg);
    void CBDeleteString(TMessage& msg);
    void CBResetContent(TMessage& msg);
    void CBGetLBText(TMessage& msg);
    void CBGetLBTextLen(TMessage& msg);
    void CBGetItemHeight(TMessage& msg);
    // Hands an item message on with the shown text in place of the entry.
    void PassShown(TMessage& msg, const std::string& entry);

    // Puts the shown text of every entry into the system control again.
    void RefillShown();

    TCBColumns FColumns{this};
    McEntryBook FEntries;
    std::uint8_t FTargetColumn = 0;
    int FIndent = 2;
    bool FDrawingEdit = false;
};
