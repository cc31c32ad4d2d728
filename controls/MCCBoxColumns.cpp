#include "controls/MCCBox.h"

#include "controls/portable/McRowLayout.h"

// ---------------------------------------------------------------- TCBColumn

TCBColumn::TCBColumn(TCollection* collection) : TCollectionItem(collection) {
    FFont.OnChange = [this](TObject* s) { FontChanged(s); };
    ParentColorChanged();
    ParentFontChanged();
}

TMultiColComboBox* TCBColumn::Combo() const {
    return Collection() ? dynamic_cast<TMultiColComboBox*>(Collection()->GetOwner()) : nullptr;
}

void TCBColumn::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    FParentColor = false;
}

void TCBColumn::SetFont(TFont* v) {
    FFont.Assign(v);
    FParentFont = false;
}

void TCBColumn::FontChanged(TObject*) {
    if (!FInParentFont) FParentFont = false;
}

void TCBColumn::SetParentColor(bool v) {
    if (StoreIfChanged(FParentColor, v)) ParentColorChanged();
}

void TCBColumn::SetParentFont(bool v) {
    if (StoreIfChanged(FParentFont, v)) ParentFontChanged();
}

void TCBColumn::ParentColorChanged() {
    if (!FParentColor) return;
    if (TMultiColComboBox* c = Combo()) FColor = c->Color();
}

void TCBColumn::ParentFontChanged() {
    if (!FParentFont) return;
    TMultiColComboBox* c = Combo();
    if (!c) return;
    FInParentFont = true;
    FFont.Assign(c->Font());
    FInParentFont = false;
}

void TCBColumn::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TCBColumn*>(Source);
    if (!src) {
        TCollectionItem::Assign(Source);
        return;
    }
    Width = src->Width;
    SetColor(src->FColor);
    Alignment = src->Alignment;
    SetFont(&src->FFont);
    SetParentColor(src->FParentColor);
    SetParentFont(src->FParentFont);
}

void TCBColumn::PrepareCanvas(TMultiColComboBox* combo, bool selected) {
    TCanvas* canvas = combo->Canvas();
    if (selected) {
        const TColor highlightText = canvas->Font.Color();
        canvas->Font.Assign(&FFont);
        canvas->Font.SetColor(highlightText);
    } else {
        canvas->Brush.SetColor(FColor);
        canvas->Font.Assign(&FFont);
    }
}

void TCBColumn::DrawColumn(TMultiColComboBox* combo, const TRect& rect, const std::string& text,
                           bool selected) {
    PrepareCanvas(combo, selected);
    TCanvas* canvas = combo->Canvas();
    canvas->FillRect(rect);
    TRect textRect = rect;
    if (Alignment == taRightJustify)
        textRect.Right -= combo->Indent();
    else
        textRect.Left += combo->Indent();
    canvas->DrawTextIn(text, textRect, McCellFormat(Alignment));
}

// ---------------------------------------------------------------- TCBColumns

TCBColumns::TCBColumns(TMultiColComboBox* combo)
    : TCollection([](TCollection* c) { return std::make_unique<TCBColumn>(c); }), FCombo(combo) {}

TPersistent* TCBColumns::GetOwner() {
    return FCombo;
}

void TCBColumns::ColorChanged() {
    for (int i = 0; i < Count(); ++i)
        Items(i)->ParentColorChanged();
}

void TCBColumns::FontChanged() {
    for (int i = 0; i < Count(); ++i)
        Items(i)->ParentFontChanged();
}
