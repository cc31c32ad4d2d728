#include "tests/win/app/MainWindowFixture.h"

#include <cstdint>

namespace {

// A 32-bit top-down DIB section selected into a memory DC, filled with one colour.
struct MemoryImage {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t* bits = nullptr;
    int width, height;

    MemoryImage(int w, int h, uint32_t fill) : width(w), height(h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* p = nullptr;
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<uint32_t*>(p);
        old = SelectObject(dc, bitmap);
        for (int i = 0; i < w * h; ++i) bits[i] = fill;
    }
    ~MemoryImage() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    uint32_t At(int x, int y) const { return bits[y * width + x]; }
};

const uint32_t Untouched = 0x00FF00FF;

} // namespace

// Themed controls draw their parent's background behind their rounded edges by asking the
// parent to print its client area into their device context.
TEST_F(MainWindowTest, TheFormPrintsThePanelAndTheLabelIntoTheDeviceContextItIsGiven) {
    Open("");
    form->Timer1->SetEnabled(false);
    form->SetBounds(20, 20, 498, 61);
    RECT client;
    GetClientRect(form->Handle(), &client);
    ASSERT_EQ(form->GradBox1->Width(), client.right);
    MemoryImage printed(client.right, client.bottom, Untouched);
    SendMessageW(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc), PRF_CLIENT);

    // The panel as it paints itself, alone.
    MemoryImage panel(client.right, client.bottom, Untouched);
    form->GradBox1->PaintOn(panel.dc);

    const TWinControl* themed[] = {form->Button4, form->MultiColComboBox1};
    for (const TWinControl* c : themed) {
        SCOPED_TRACE(c->Name);
        const int l = c->Left(), t = c->Top(), r = l + c->Width() - 1, b = t + c->Height() - 1;
        for (POINT p : {POINT{l, t}, POINT{r, t}, POINT{l, b}, POINT{r, b}}) {
            EXPECT_NE(printed.At(p.x, p.y), Untouched) << p.x << "," << p.y;
            EXPECT_EQ(printed.At(p.x, p.y), panel.At(p.x, p.y)) << p.x << "," << p.y;
        }
    }
    // The label's text lies over the panel.
    int text = 0;
    for (int y = form->Label2->Top(); y < form->Label2->Top() + form->Label2->Height(); ++y)
        for (int x = form->Label2->Left(); x < form->Label2->Left() + form->Label2->Width(); ++x)
            text += printed.At(x, y) != panel.At(x, y);
    EXPECT_GT(text, 10);
}
