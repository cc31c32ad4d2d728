#include "framework/Collection.h"

#include "framework/Exceptions.h"

int TCollectionItem::Index() const {
    return FCollection ? FCollection->IndexOf(this) : -1;
}

TCollection::~TCollection() {
    // Items go last first, as they came.
    while (!FItems.empty())
        FItems.pop_back();
}

TCollectionItem* TCollection::Add() {
    FItems.push_back(FMaker(this));
    return FItems.back().get();
}

TCollectionItem* TCollection::GetItem(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format(Texts::ListIndexError, index));
    return FItems[static_cast<size_t>(index)].get();
}

void TCollection::Delete(int index) {
    GetItem(index);
    FItems.erase(FItems.begin() + index);
}

void TCollection::Clear() {
    while (!FItems.empty())
        FItems.pop_back();
}

int TCollection::IndexOf(const TCollectionItem* item) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == item) return static_cast<int>(i);
    return -1;
}

void TCollection::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TCollection*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    Clear();
    for (int i = 0; i < src->Count(); ++i)
        Add()->Assign(src->GetItem(i));
}
