#pragma once
// A text label (no window of its own) and a push button.
#include "framework/Controls.h"

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);
    const char* ClassName() const override { return "TLabel"; }
    TAlignment Alignment = taLeftJustify;
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);

protected:
    void Paint() override;

private:
    bool FTransparent = false;
};

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);
    const char* ClassName() const override { return "TButton"; }
    void Dispatch(TMessage& msg) override;

protected:
    void CreateParams(TCreateParams& p) override;

private:
    // Alt and the caption's underlined letter click the button, and only click it: the
    // focus stays where it is, so the keys go on acting on the control that had it.
    void CMDialogChar(TMessage& msg);
};
