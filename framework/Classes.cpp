#include "framework/Classes.h"

#include "framework/Exceptions.h"

#include <algorithm>

void TPersistent::Assign(TPersistent* Source) {
    if (Source)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) {
    if (Dest) Dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* Source) {
    const std::string from = Source ? Source->ClassName() : "nil";
    throw EConvertError(Format(Texts::AssignError, from, std::string(ClassName())));
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    ComponentState |= csDestroying;
    // Components go in the reverse order of their creation.
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        FComponents.pop_back();
        c->FOwner = nullptr;
        delete c;
    }
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent* c) {
    if (c->FOwner) c->FOwner->RemoveComponent(c);
    FComponents.push_back(c);
    c->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* c) {
    auto it = std::find(FComponents.begin(), FComponents.end(), c);
    if (it != FComponents.end()) FComponents.erase(it);
    c->FOwner = nullptr;
}
