// Painting from the forms' code: Paint events with their hDC, drawing on hDC outside a paint,
// pictures loaded from files, and the form's own events for focus, keys and double-clicks.
#include <filesystem>

#include "../services/temp_folder.h"
#include "forms_test_support.h"
#include "platform/draw/gdi.h"

namespace formtest {
namespace {

COLORREF ScreenColour(POINT p) {
    Pump();
    return PixelColor(ComposedScreen().at(p.x, p.y));
}

struct TitleBarForm : Form {
    TitleBarForm() : Form("frmSeti") {
        pctGradient.Paint = [this] { pctGradient_Paint(); };
    }
    PictureBox pctGradient{this, "pctGradient"};
    COLORREF titleColour = RGB(10, 20, 30);
    int formPaints = 0;
    int gotFocus = 0;
    int dblClicks = 0;
    std::vector<int> keys;

    // Draws the title bar on the picture box's hDC, as its Paint event and other code do.
    void pctGradient_Paint() {
        HBRUSH brush = CreateSolidBrush(titleColour);
        RECT r{0, 0, 620, 27};
        FillRect(pctGradient.hDC, &r, brush);
        DeleteObject(brush);
    }

protected:
    void Design() override {
        BorderStyle = vbBSNone;
        ScaleMode = vbPixels;
        Move(0, 0, 9300, 6900);
        pctGradient.Move(0, 0, 620, 27);
        pctGradient.BorderStyle = 0;
        pctGradient.TabStop = false;
    }
    void Form_Paint() override {
        ++formPaints;
        HBRUSH brush = CreateSolidBrush(RGB(200, 0, 0));
        RECT r{0, 100, 50, 150};
        FillRect(hDC, &r, brush);
        DeleteObject(brush);
    }
    void Form_GotFocus() override { ++gotFocus; }
    void Form_KeyDown(int& KeyCode, int Shift) override { keys.push_back(KeyCode * 10 + Shift); }
    void Form_DblClick() override { ++dblClicks; }
};

class FormPainting : public FormsTest {};

TEST_F(FormPainting, PaintEventsDrawOnTheirHdcAndDrawingOutsideAPaintShows) {
    TitleBarForm f;
    f.Show();
    RECT client = ClientRectOnScreen(f.hWnd);
    EXPECT_EQ(ScreenColour(POINT{client.left + 300, client.top + 10}), RGB(10, 20, 30));
    EXPECT_EQ(ScreenColour(POINT{client.left + 20, client.top + 120}), RGB(200, 0, 0));
    EXPECT_GE(f.formPaints, 1);
    // Code that paints the title bar outside WM_PAINT (on a hover change, say).
    f.titleColour = RGB(0, 128, 0);
    f.pctGradient_Paint();
    EXPECT_EQ(ScreenColour(POINT{client.left + 300, client.top + 10}), RGB(0, 128, 0));
    // A WM_PAINT sent to the picture box repaints it through its Paint event.
    f.titleColour = RGB(0, 0, 128);
    SendMessage(f.pctGradient.hWnd, WM_PAINT, 0, 0);
    EXPECT_EQ(ScreenColour(POINT{client.left + 300, client.top + 10}), RGB(0, 0, 128));
}

TEST_F(FormPainting, PicturesLoadFromFilesAndAMissingFileRaisesAnError) {
    TempProgramFolder folder;
    Surface pixels(30, 20, OpaquePixel(RGB(1, 2, 3)));
    std::filesystem::create_directories(folder / "GUI/Misc");
    ASSERT_TRUE(WritePng(pixels, folder / "GUI/Misc/Splash.png"));
    Picture picture = LoadPicture("\\GUI\\Misc\\splash.png");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.PixelSize(), (SIZE{30, 20}));
    EXPECT_FALSE(LoadPicture(""));
    EXPECT_THROW(LoadPicture("\\GUI\\Misc\\Missing.jpg"), Error);

    TitleBarForm f;
    f.pctGradient.Paint = nullptr;
    f.pctGradient.Picture = picture;
    f.Show();
    RECT client = ClientRectOnScreen(f.hWnd);
    EXPECT_EQ(ScreenColour(POINT{client.left + 29, client.top + 19}), RGB(1, 2, 3));
    EXPECT_NE(ScreenColour(POINT{client.left + 31, client.top + 10}), RGB(1, 2, 3));
    f.pctGradient.Picture = Picture{};
    EXPECT_NE(ScreenColour(POINT{client.left + 10, client.top + 10}), RGB(1, 2, 3));
}

TEST_F(FormPainting, AFormWithoutFocusableControlsTakesTheFocusAndTheKeysItself) {
    TitleBarForm f;
    f.Show();
    EXPECT_EQ(GetFocus(), f.hWnd);
    EXPECT_EQ(f.gotFocus, 1);
    Key(VK_F2);
    KeyWith(VK_MENU, VK_F4);
    EXPECT_EQ(f.keys, (std::vector<int>{VK_F2 * 10, VK_MENU * 10 + 4, VK_F4 * 10 + 4}));
    EXPECT_TRUE(f.IsLoaded());
    RECT client = ClientRectOnScreen(f.hWnd);
    DoubleClickAt(POINT{client.left + 200, client.top + 200});
    EXPECT_EQ(f.dblClicks, 1);
}

TEST_F(FormPainting, AControlArrayElementCannotBeUnloadedInItsOwnEvent) {
    struct Clock : Form {
        Clock() : Form("frmMain") {
            Label.Click = [this](int Index) {
                try {
                    Label.Unload(Index);
                } catch (const Error&) {
                    refused = true;
                }
            };
        }
        ControlArray<forms::Label> Label{this, "Label"};
        bool refused = false;
        void Design() override {
            BorderStyle = vbBSNone;
            Label.Load(0);
        }
    } clock;
    clock.Show();
    clock.Label.Load(1);
    clock.Label(1).Move(0, 600);
    clock.Label(1).Visible = true;
    RECT client = ClientRectOnScreen(clock.hWnd);
    ClickAt(POINT{client.left + 5, client.top + 45});
    EXPECT_TRUE(clock.refused);
    EXPECT_TRUE(clock.Label.Exists(1));
}

TEST_F(FormPainting, AnOwnerGivenToShowOwnsTheNewWindow) {
    TitleBarForm owner;
    struct Tips : Form {
        Tips() : Form("frmIntroTips") {}
    } tips;
    owner.Show();
    tips.Show(vbModeless, &owner);
    EXPECT_EQ(GetOwner(tips.hWnd), owner.hWnd);
    owner.Unload();
    EXPECT_FALSE(tips.IsLoaded()) << "an owned form goes with its owner";
}

}  // namespace
}  // namespace formtest
