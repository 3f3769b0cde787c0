// The flat classic look: controls paint their colours and fonts, and show focus and disabled
// states; windowless labels and lines paint in their container.
#include <algorithm>

#include "forms_test_support.h"
#include "platform/draw/gdi.h"
#include "platform/forms/tooltip.h"

namespace formtest {
namespace {

// The screen's pixels over a window (or a rectangle of the screen).
std::vector<Pixel> Shot(const RECT& r) {
    Pump();
    const Surface& screen = ComposedScreen();
    std::vector<Pixel> out;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) out.push_back(screen.at(x, y) & 0x00FFFFFFu);
    return out;
}

std::vector<Pixel> Shot(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return Shot(r);
}

bool Has(const std::vector<Pixel>& pixels, COLORREF color) {
    Pixel p = OpaquePixel(color) & 0x00FFFFFFu;
    return std::find(pixels.begin(), pixels.end(), p) != pixels.end();
}

struct LookForm : Form {
    LookForm() : Form("frmLook") {}
    TextBox txtText{this, "txtText"};
    CommandButton cmdOk{this, "cmdOk"};
    CheckBox chOn{this, "chOn"};
    OptionButton optA{this, "optA"};
    ComboBox ddlKind{this, "ddlKind"};
    ListBox lstItems{this, "lstItems"};
    HScrollBar scrOpacity{this, "scrOpacity"};
    forms::Label lblClock{this, "lblClock"};
    forms::Line Line1{this, "Line1"};
    PictureBox pctColor{this, "pctColor"};
    void Design() override {
        BorderStyle = vbBSNone;
        BackColor = RGB(200, 208, 212);
        Move(0, 0, 9000, 7500);
        txtText.Move(150, 150, 2250, 315);
        txtText.Text = "text";
        cmdOk.Move(150, 600, 1200, 375);
        cmdOk.Caption = "&OK";
        chOn.Move(150, 1200, 1800, 255);
        chOn.Caption = "Check";
        optA.Move(150, 1650, 1800, 255);
        optA.Caption = "Option";
        ddlKind.Move(150, 2100, 2250, 315);
        ddlKind.AddItem("first");
        ddlKind.ListIndex = 0;
        lstItems.Move(150, 2700, 2250, 900);
        lstItems.AddItem("one");
        lstItems.AddItem("two");
        scrOpacity.Move(150, 3900, 2250, 255);
        lblClock.Move(4500, 150, 3000, 600);
        lblClock.BackColor = RGB(0, 0, 0);
        lblClock.ForeColor = RGB(0, 255, 0);
        lblClock.FontSize = 14;
        lblClock.FontBold = true;
        lblClock.Caption = "12:34";
        Line1.X1 = 4500;
        Line1.Y1 = 1500;
        Line1.X2 = 7500;
        Line1.Y2 = 1500;
        Line1.BorderColor = RGB(255, 0, 0);
        pctColor.Move(4500, 2100, 750, 750);
        pctColor.BorderStyle = 0;
        pctColor.BackColor = RGB(12, 34, 56);
    }
};

class Look : public FormsTest {};

TEST_F(Look, FocusAndDisabledStatesShow) {
    LookForm f;
    f.Show();
    f.pctColor.SetFocus();  // away from every control under test
    std::vector<WindowedControl*> controls{&f.txtText, &f.cmdOk, &f.chOn, &f.optA, &f.ddlKind, &f.lstItems, &f.scrOpacity};
    for (WindowedControl* c : controls) {
        SCOPED_TRACE(c->Name());
        auto plain = Shot(c->Window());
        ASSERT_TRUE(c->SetFocus());
        auto focused = Shot(c->Window());
        EXPECT_NE(plain, focused) << "focus shows";
        f.pctColor.SetFocus();
        EXPECT_EQ(Shot(c->Window()), plain) << "and goes again";
        c->Enabled = false;
        EXPECT_NE(Shot(c->Window()), plain) << "disabled shows";
        c->Enabled = true;
    }
}

TEST_F(Look, ColoursAndFontsArePainted) {
    LookForm f;
    f.Show();
    RECT client = ClientRectOnScreen(f.hWnd);
    auto clock = Shot(RECT{client.left + 300, client.top + 10, client.left + 500, client.top + 50});
    EXPECT_TRUE(Has(clock, RGB(0, 0, 0))) << "the label's back colour";
    EXPECT_TRUE(Has(clock, RGB(0, 255, 0))) << "its text in its fore colour";
    std::size_t green = std::count(clock.begin(), clock.end(), OpaquePixel(RGB(0, 255, 0)) & 0xFFFFFF);
    f.lblClock.FontSize = 8;
    auto smaller = Shot(RECT{client.left + 300, client.top + 10, client.left + 500, client.top + 50});
    EXPECT_LT(std::count(smaller.begin(), smaller.end(), OpaquePixel(RGB(0, 255, 0)) & 0xFFFFFF), green)
        << "a smaller font paints fewer pixels";
    EXPECT_EQ(Shot(RECT{client.left + 310, client.top + 100, client.left + 490, client.top + 101}),
              std::vector<Pixel>(180, OpaquePixel(RGB(255, 0, 0)) & 0xFFFFFF))
        << "the line";
    EXPECT_TRUE(Has(Shot(f.pctColor.hWnd), RGB(12, 34, 56)));
    EXPECT_TRUE(Has(Shot(RECT{client.left + 250, client.top + 250, client.left + 260, client.top + 260}), RGB(200, 208, 212)))
        << "the form's back colour";
    f.cmdOk.BackColor = RGB(0, 255, 0);
    EXPECT_TRUE(Has(Shot(f.cmdOk.hWnd), RGB(0, 255, 0))) << "a button's back colour";
    f.lblClock.Visible = false;
    EXPECT_FALSE(Has(Shot(RECT{client.left + 300, client.top + 10, client.left + 500, client.top + 50}), RGB(0, 255, 0)))
        << "a hidden label leaves its container's colour";
}

TEST_F(Look, TooltipsShowWhenThePointerRests) {
    LookForm f;
    f.Show();
    f.cmdOk.ToolTipText = "Saves the modifications you made";
    POINT on = CentreOf(f.cmdOk.hWnd);
    InjectMouseMove(on);
    Pump();
    EXPECT_FALSE(detail::ToolTipWindow());
    RunFor(600);
    HWND tip = detail::ToolTipWindow();
    ASSERT_TRUE(tip);
    EXPECT_TRUE(IsWindowVisible(tip));
    SetCursorPos(0, 0);
    RunFor(200);
    EXPECT_FALSE(detail::ToolTipWindow()) << "it goes when the pointer leaves";
}

TEST_F(Look, RepaintingLeaksNoDrawingObjects) {
    LookForm f;
    f.Show();
    f.txtText.SetFocus();
    Pump();
    std::size_t objects = LiveGdiObjectCount(), dcs = LiveDcCount();
    for (int i = 0; i < 5; ++i) {
        f.lblClock.Caption = "12:34:5" + std::to_string(i);
        f.Refresh();
        InvalidateRect(f.hWnd, nullptr, 1);
        Pump();
        (void)f.hDC;  // a DC handed out outside a paint goes back on the next loop pass
        Pump();
    }
    EXPECT_EQ(LiveGdiObjectCount(), objects);
    EXPECT_EQ(LiveDcCount(), dcs);
}

}  // namespace
}  // namespace formtest
