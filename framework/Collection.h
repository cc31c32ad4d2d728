#pragma once
// An owned, ordered list of items of one class, each knowing its collection; the owner of
// the collection is what the form resource and the designer know it by.
#include "framework/Classes.h"

#include <functional>
#include <memory>
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* collection) : FCollection(collection) {}
    const char* ClassName() const override { return "TCollectionItem"; }
    TCollection* Collection() const { return FCollection; }
    int Index() const;

private:
    TCollection* FCollection;
};

class TCollection : public TPersistent {
public:
    // Makes a new item of the collection's item class.
    using TItemMaker = std::function<std::unique_ptr<TCollectionItem>(TCollection*)>;
    explicit TCollection(TItemMaker maker) : FMaker(std::move(maker)) {}
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;
    const char* ClassName() const override { return "TCollection"; }

    TCollectionItem* Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    // Index 0..Count()-1, else EListError.
    TCollectionItem* GetItem(int index) const;
    // Goes through the item's own assignment.
    void SetItem(int index, TCollectionItem* value) { GetItem(index)->Assign(value); }
    void Delete(int index);
    void Clear();
    int IndexOf(const TCollectionItem* item) const;
    // Empties the collection, then adds one item per source item and assigns it.
    void Assign(TPersistent* Source) override;
    virtual TPersistent* GetOwner() { return nullptr; }

private:
    TItemMaker FMaker;
    std::vector<std::unique_ptr<TCollectionItem>> FItems;
};
