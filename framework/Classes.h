#pragma once
// The object model: TObject with its per-class message dispatch, TPersistent with
// assignment, TComponent with ownership (an owner frees its components).
#include "framework/Messages.h"
#include "framework/portable/Property.h"

#include <functional>
#include <string>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
    virtual const char* ClassName() const { return "TObject"; }
    // Handles the messages of this class and hands the rest to the base class, ending
    // in DefaultHandler.
    virtual void Dispatch(TMessage& msg) { DefaultHandler(msg); }
    virtual void DefaultHandler(TMessage&) {}
};

// The event that tells no more than who sent it.
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TPersistent : public TObject {
public:
    const char* ClassName() const override { return "TPersistent"; }
    // Copies Source into this object. The generic route asks Source to copy itself here;
    // where neither side knows the other, it fails with EConvertError.
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);

private:
    void AssignError(TPersistent* Source);
};

enum TComponentStateFlag : unsigned { csLoading = 1, csDestroying = 4 };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    const char* ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return FOwner; }
    const std::vector<TComponent*>& Components() const { return FComponents; }
    std::string Name;
    unsigned ComponentState = 0;

    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);

private:
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
};
