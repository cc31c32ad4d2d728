// The control set side by side in one window: every frame, layout, glyph effect and
// look of the shine button, so a change to any of them can be seen at a glance.
#include "controls/GradBox.h"
#include "controls/MCCBox.h"
#include "controls/ShineSpdBtn.h"
#include "framework/ExceptionDisplay.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A button that can be shown in a chosen state, as if the mouse were over it or it
// were latched, so the picture holds every look at once.
class TShowcaseButton : public TShineSpeedButton {
public:
    using TShineSpeedButton::TShineSpeedButton;
    void ShowState(TShineButtonState state) {
        FMachine.V.State = state;
        Invalidate();
    }
};

// 24 x 24: a gold coin with a dark rim, a white gleam and a blue mark, on a magenta key
// (the bottom-left pixel), so the outline effects have inner edges to work on too.
void DrawSampleGlyph(TBitmap& glyph) {
    glyph.SetSize(24, 24);
    for (int y = 0; y < 24; ++y) {
        std::uint32_t* row = glyph.ScanLine(y);
        for (int x = 0; x < 24; ++x) {
            const int dx = 2 * x - 23, dy = 2 * y - 23, d = dx * dx + dy * dy;
            std::uint32_t p = 0x00FF00FF;
            if (d <= 19 * 19) p = 0x00704010;
            if (d <= 15 * 15) p = 0x00F0C030;
            if (x >= 7 && x <= 9 && y >= 7 && y <= 9) p = 0x00FFFFFF;
            if (x >= 12 && x <= 15 && y >= 12 && y <= 15) p = 0x002050C0;
            row[x] = p;
        }
    }
}

class TGalleryForm : public TForm {
public:
    explicit TGalleryForm(TComponent* AOwner) : TForm(AOwner) {
        SetCaption("Kestrovane1 Gallery");
        BorderStyle = bsSingle;
        DrawSampleGlyph(FGlyph);
        Build();
        // Room below the last row for the open list of the combo box.
        SetClientSize(kLeft + 8 * kStep + 8, FTop + 110);
        SetBounds(40, 40, Width(), Height());
    }

private:
    static constexpr int kLeft = 112, kStep = 80, kW = 74, kH = 48;

    TLabel* Label(const std::string& text, int x, int y, int w) {
        auto* l = new TLabel(this);
        l->SetParent(this);
        l->SetBounds(x, y, w, 14);
        l->SetCaption(text);
        return l;
    }

    void Row(const std::string& title) {
        Label(title, 8, FTop + kH / 2 - 7, kLeft - 12);
        FColumn = 0;
    }

    TShowcaseButton* Button(const std::string& caption, bool glyph = true) {
        auto* b = new TShowcaseButton(this);
        b->SetParent(this);
        b->SetBounds(kLeft + FColumn * kStep, FTop, kW, kH);
        b->SetCaption(caption);
        if (glyph) b->SetGlyph(&FGlyph);
        ++FColumn;
        return b;
    }

    void EndRow(int height = kH) { FTop += height + 10; }

    void Build() {
        FTop = 8;
        Row("FrameType");
        const std::pair<TFrameType, const char*> frames[]{
            {ftFlatFrame, "Flat"}, {ftNormalFrame, "Normal"}, {ftEnclosedFrame, "Enclosed"}};
        for (auto [type, name] : frames)
            Button(name, false)->SetFrameType(type);
        for (auto [type, name] : frames) {
            auto* b = Button(std::string(name) + " ↓", false);
            b->SetFrameType(type);
            b->ShowState(sbsDown);
        }
        EndRow();

        Row("Gradation");
        for (auto [type, name] : frames) {
            auto* b = Button(name, false);
            b->SetFrameType(type);
            b->Colors()->SetColor(clWhite);
            b->Colors()->SetGradColor(0x00C08040);
            b->Colors()->SetGradVertical(true);
            b->Colors()->SetGradation(true);
            b->Font()->SetColor(clNavy);
        }
        for (auto [type, name] : frames) {
            auto* b = Button(name, false);
            b->SetFrameType(type);
            b->Colors()->SetColor(0x0040A0F0);
            b->Colors()->SetGradColor(0x00004080);
            b->Colors()->SetGradation(true);
            b->Font()->SetColor(clWhite);
        }
        {
            auto* b = Button("Down", false);
            b->PressedColors()->SetColor(0x00004080);
            b->PressedColors()->SetGradColor(0x0040A0F0);
            b->PressedColors()->SetGradVertical(true);
            b->PressedColors()->SetGradation(true);
            b->Font()->SetColor(clWhite);
            b->ShowState(sbsDown);
        }
        {
            auto* b = Button("Shine", false);
            b->SetFontShadow(clGray);
            b->SetFontHighlight(clWhite);
            b->Font()->SetColor(clMaroon);
        }
        EndRow();

        Row("Layout");
        const std::pair<TButtonLayout, const char*> layouts[]{{blGlyphLeft, "Left"},
                                                              {blGlyphRight, "Right"},
                                                              {blGlyphTop, "Top"},
                                                              {blGlyphBottom, "Bottom"}};
        for (auto [layout, name] : layouts) {
            auto* b = Button(name);
            b->SetLayout(layout);
            b->SetSpacing(2);
        }
        for (auto [layout, name] : layouts) {
            auto* b = Button(std::string(name) + " 4");
            b->SetLayout(layout);
            b->SetMargin(4);
            b->SetSpacing(2);
        }
        EndRow();

        Row("ActiveImage");
        const std::pair<TActiveImageType, const char*> actives[]{
            {aiNormal, "Normal"},      {aiXorLight, "Xor"},  {aiHalfLight, "Half"},
            {aiQuaterLight, "Quater"}, {aiAddLight, "Add"},  {aiFrameLight, "Frame"},
            {aiFrameLight2, "Frame2"}, {aiMaskLight, "Mask"}};
        for (auto [effect, name] : actives) {
            auto* b = Button(name);
            b->SetActiveImage(effect);
            b->SetShineColor(0x00FF8000); // azure against the gold
            b->SetLayout(blGlyphTop);
            b->SetSpacing(1);
            b->ShowState(sbsActive);
        }
        EndRow();

        Row("DisabledImage");
        const std::pair<TDisabledImageType, const char*> disabled[]{{diDefault, "Default"},
                                                                    {diGrayscale, "Gray"},
                                                                    {diAlphaHalfTrans, "Half"},
                                                                    {diAlphaQuaterTrans, "Quater"},
                                                                    {diMaskTrans, "Mask"}};
        for (auto [effect, name] : disabled) {
            auto* b = Button(name);
            b->SetDisabledImage(effect);
            b->SetLayout(blGlyphTop);
            b->SetSpacing(1);
            b->SetEnabled(false);
        }
        EndRow();

        Row("Group, disabled");
        const char* const group[]{"&One", "&Two", "T&hree"};
        for (int i = 0; i < 3; ++i) {
            auto* b = Button(group[i]);
            b->SetGroupIndex(1);
            b->SetFrameType(ftFlatFrame);
            b->PressedColors()->SetColor(0x00F0E0D0);
            b->SetAccelCharDown(true);  // Alt+O, Alt+T, Alt+H latch them too
            if (i == 1) b->SetDown(true);
        }
        {
            auto* b = Button("Off");
            b->SetEnabled(false);
        }
        {
            auto* b = Button("Clear", false);
            b->SetTransparent(true);
            b->SetFrameType(ftEnclosedFrame);
        }
        EndRow();

        Row("GradStyle");
        const std::pair<TGradStyle, const char*> grads[]{{gsTopBottom, "TopBottom"},
                                                         {gsBottomTop, "BottomTop"},
                                                         {gsLeftRight, "LeftRight"},
                                                         {gsRightLeft, "RightLeft"},
                                                         {gsNone, "None"}};
        for (auto [style, name] : grads) {
            auto* g = GradBox(name);
            g->SetGradStyle(style);
            g->SetTopColor(clWindow);
            g->SetLastColor(0x00C06020);
            g->SetDrawOutLine(true);
            g->SetOutLineColor(clGreen);
        }
        EndRow();

        Row("Font3D");
        const std::pair<TFontStyle3D, const char*> styles[]{{fsLowShadow, "Low"},
                                                            {fsRaiseShadow, "Raise"},
                                                            {fsLow3D, "Low 3D"},
                                                            {fsRaise3D, "Raise 3D"}};
        for (auto [style, name] : styles) {
            auto* g = GradBox(name);
            g->SetFont3D(true);
            g->SetStyle3D(style);
            g->SetFontDepth(3);
            g->SetBackFont(clYellow);
            g->Font()->SetColor(clNavy);
            g->Font()->SetStyle(fsBold);
        }
        {
            auto* g = GradBox("Disabled");
            g->SetEnabled(false);
        }
        EndRow();

        ComboRow();
    }

    void ComboRow() {
        Row("Combo box");
        auto* c = new TMultiColComboBox(this);
        c->SetParent(this);
        c->SetBounds(kLeft, FTop, 4 * kStep - 6, 21);
        c->SetCanEdit(false);
        c->SetTargetColumn(2);
        TCBColumns* columns = c->Columns();
        columns->Items(0)->Width = 90;
        columns->Items(0)->SetColor(clBtnFace);
        columns->Add()->Width = 60;
        columns->Items(1)->Alignment = taRightJustify;
        columns->Add()->Width = 210;
        columns->Items(2)->Alignment = taCenter;
        columns->Items(2)->SetColor(0x00E0FFFF);
        FCombo = c;
        // Filled and opened once the window is on the screen, as the launcher fills its
        // list when it is first shown.
        FOpen = std::make_unique<TTimer>(nullptr);
        FOpen->SetInterval(300);
        FOpen->SetOnTimer([this](TObject*) {
            FOpen->SetEnabled(false);
            for (const char* entry : {"\"写真\",\"1280\",\"D:\\Photos\"",
                                      "\"Projects\",\"42\",\"C:\\Users\\me\\Projects\"",
                                      "\"表計算\",\"7\",\"C:\\Data\\表\"", "\"Root\",\"3\",\"C:\""})
                FCombo->Items()->Add(entry);
            FCombo->SetItemIndex(1);
            SendMessageW(FCombo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        });
        EndRow(21);
    }

    TGradBox* GradBox(const std::string& caption) {
        auto* g = new TGradBox(this);
        g->SetParent(this);
        g->SetBounds(kLeft + FColumn * kStep, FTop, kW, kH);
        g->SetCaption(caption);
        g->SetCaptionLeft(4);
        g->SetCaptionTop(16);
        ++FColumn;
        return g;
    }

    TBitmap FGlyph;
    TMultiColComboBox* FCombo = nullptr;
    std::unique_ptr<TTimer> FOpen;
    int FTop = 0, FColumn = 0;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        TApplication app;
        Application->Initialize();
        Application->SetTitle("Kestrovane1 Gallery");
        TGalleryForm* form = nullptr;
        Application->CreateForm(form);
        Application->Run();
    } catch (...) {
        ExceptionDisplay::HandleCurrentException();
    }
    return 0;
}
