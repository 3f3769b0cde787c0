// A sample form with one control of every kind, drawn on the headless desktop, checked by the
// pixels that matter and written as PNG (with the three common dialogs) for a person to look at.
#include <cmath>

#include "dialog_test_support.h"
#include "platform/draw/gdi.h"
#include "platform/forms/color_dialog.h"
#include "platform/services/common_dialogs.h"
#include "platform/forms/file_dialog.h"
#include "platform/forms/font_dialog.h"

namespace formtest {
namespace {

constexpr COLORREF kGridOn = RGB(0, 170, 0);
constexpr COLORREF kSelectedBack = RGB(0x69, 0x8C, 0xAC);  // the alarm list's "Alive" selection

// Small pictures drawn here: a framed square, and a disc on the colour key.
Picture SquareIcon(const ScratchFolder& folder, const std::string& name, COLORREF fill) {
    Surface s(16, 16, OpaquePixel(fill));
    for (int i = 0; i < 16; ++i) s.at(i, 0) = s.at(i, 15) = s.at(0, i) = s.at(15, i) = OpaquePixel(RGB(40, 40, 40));
    WritePng(s, folder.Path(name + ".png"));
    return LoadPicture(folder.Path(name + ".png"));
}

Picture DiscIcon(const ScratchFolder& folder, const std::string& name, COLORREF fill, COLORREF back) {
    Surface s(16, 16, OpaquePixel(back));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (std::hypot(x - 7.5, y - 7.5) <= 6.5) s.at(x, y) = OpaquePixel(fill);
    WritePng(s, folder.Path(name + ".png"));
    return LoadPicture(folder.Path(name + ".png"));
}

Picture Gradient(const ScratchFolder& folder) {
    Surface s(58, 58);
    for (int y = 0; y < 58; ++y)
        for (int x = 0; x < 58; ++x) s.at(x, y) = OpaquePixel(RGB(x * 4, 60, 255 - y * 4));
    WritePng(s, folder.Path("gradient.png"));
    return LoadPicture(folder.Path("gradient.png"));
}

const char* const kCredits =
    "{\\rtf1{\\colortbl;\\red200\\green0\\blue0;\\red0\\green110\\blue0;}"
    "\\qc\\b\\fs24 Hall of Fame\\b0\\fs16\\par"
    "\\pard Thanks to \\i everyone\\i0  who tested the \\cf1\\b early builds\\b0\\cf0 , and to the "
    "translators of the \\cf2 Romanian\\cf0  and \\cf2 Dutch\\cf0  texts.\\par"
    "\\par\\qr \\ul Dralo Software\\ul0\\par}";

struct SampleForm : Form {
    SampleForm() : Form("frmSample") {}

    forms::Label lblTitle{this, "lblTitle"};
    TextBox txtName{this, "txtName"};
    CommandButton cmdOk{this, "cmdOk"};
    CheckBox chOn{this, "chOn"};
    OptionButton optA{this, "optA"};
    ComboBox ddlMonth{this, "ddlMonth"};
    ListBox lstItems{this, "lstItems"};
    HScrollBar scrOpacity{this, "scrOpacity"};
    Frame fraGroup{this, "fraGroup"};
    forms::Label lblInFrame{fraGroup, "lblInFrame"};
    PictureBox pctColor{this, "pctColor"};
    forms::Line Line1{this, "Line1"};
    TreeView treeO{this, "treeO"};
    forms::ImageList imgList{this, "imgList"};
    RichTextBox rtbThanks{this, "rtbThanks"};
    FlexGrid flxAlarms{this, "flxAlarms"};
    Timer tmrTick{this, "tmrTick"};
    Menu mnuMain{this, "mnuMain"};
    CommonDialog CD{this, "CD"};

    void Design() override {
        Caption = "Forms toolkit";
        BorderStyle = vbFixedSingle;
        ScaleMode = vbPixels;
        Move(1500, 1500, PixelsToTwips(648), PixelsToTwips(460));
        lblTitle.Move(10, 10, 180, 17);
        lblTitle.Caption = "Label: OZR Ruriv";
        txtName.Move(10, 32, 180, 21);
        txtName.Text = "Text box";
        cmdOk.Move(10, 60, 90, 25);
        cmdOk.Caption = "&OK";
        chOn.Move(10, 92, 180, 17);
        chOn.Caption = "Check box";
        chOn.Value = vbChecked;
        optA.Move(10, 114, 180, 17);
        optA.Caption = "Option button";
        optA.Value = true;
        ddlMonth.Move(10, 138, 180, 21);
        for (const char* m : {"January", "February", "March"}) ddlMonth.AddItem(m);
        ddlMonth.ListIndex = 2;
        lstItems.Move(10, 166, 180, 70);
        for (const char* i : {"List box", "second item", "third item", "fourth item", "fifth item"}) lstItems.AddItem(i);
        lstItems.ListIndex = 1;
        scrOpacity.Move(10, 244, 180, 17);
        scrOpacity.Min = 15;
        scrOpacity.Max = 240;
        scrOpacity.Value = 200;
        fraGroup.Move(10, 270, 180, 70);
        fraGroup.Caption = "Frame";
        lblInFrame.Move(150, 360, 2400, 255);
        lblInFrame.Caption = "A label in the frame";
        pctColor.Move(10, 352, 60, 60);
        Line1.X1 = 80;
        Line1.Y1 = 352;
        Line1.X2 = 190;
        Line1.Y2 = 412;
        Line1.BorderColor = RGB(255, 0, 0);
        treeO.Move(210, 10, 210, 200);
        rtbThanks.Move(210, 220, 210, 192);
        flxAlarms.Move(430, 10, 200, 402);
        tmrTick.Interval = 1000;
        mnuMain.Caption = "Menu";
    }

    void Fill(const ScratchFolder& folder) {
        pctColor.Picture = Gradient(folder);
        imgList.ListImages.Add("Settings", SquareIcon(folder, "settings", RGB(70, 110, 220)));
        imgList.ListImages.Add("Page", SquareIcon(folder, "page", RGB(250, 220, 90)));
        imgList.ListImages.Add("About", SquareIcon(folder, "about", RGB(90, 200, 120)));
        treeO.ImageList = &imgList;
        treeO.LineStyle = tvwRootLines;
        treeO.Indentation = 5;
        treeO.FontSize = 9;
        treeO.Nodes.Add({}, tvwLast, "root1", "Program Settings", "Settings");
        for (const char* k : {"General Options", "Advanced", "Aspect"}) treeO.Nodes.Add("root1", tvwChild, k, k, "Page");
        treeO.Nodes.Add({}, tvwLast, "root2", "Alarm Settings", "Settings");
        treeO.Nodes.Add("root2", tvwChild, "2_1", "Alarm Manager", "Page");
        treeO.Nodes.Add({}, tvwLast, "root6", "About", "About");
        treeO.Nodes("root1").Expanded = true;
        treeO.Nodes("root2").Expanded = true;
        treeO.Nodes("2_1").Bold = true;
        treeO.Nodes("2_1").ForeColor = RGB(255, 0, 0);
        treeO.SelectedItem = &treeO.Nodes("2_1");

        flxAlarms.FixedCols = 0;
        flxAlarms.Cols = 3;
        flxAlarms.FormatString = "^On|<Name|>Time";
        flxAlarms.ColWidth(0) = 450;
        flxAlarms.ColWidth(1) = 1200;
        flxAlarms.ColWidth(2) = 1290;
        flxAlarms.HighLight = flexHighlightNever;
        Picture on = DiscIcon(folder, "on", kGridOn, RGB(255, 255, 255));
        Picture off = DiscIcon(folder, "off", RGB(160, 160, 160), RGB(255, 255, 255));
        const char* names[] = {"Wake up", "Tea", "Meeting"};
        for (int i = 0; i < 3; ++i) {
            flxAlarms.AddItem(std::string("\t") + names[i] + "\t0" + std::to_string(7 + i) + ":30", flxAlarms.Rows - 1);
            flxAlarms.Row = flxAlarms.Rows - 2;
            flxAlarms.Col = 0;
            flxAlarms.CellPictureAlignment = flexAlignCenterCenter;
            flxAlarms.CellPicture = i == 1 ? off : on;
        }
        flxAlarms.RowHeight(-1) = 375;
        flxAlarms.RowHeight(0) = 300;
        flxAlarms.FillStyle = flexFillRepeat;
        flxAlarms.Row = 2;
        flxAlarms.Col = 0;
        flxAlarms.ColSel = 2;
        flxAlarms.CellBackColor = kSelectedBack;
        flxAlarms.CellForeColor = RGB(255, 255, 255);
        flxAlarms.FillStyle = flexFillSingle;
        flxAlarms.Col = 1;

        ScratchFolder& writable = const_cast<ScratchFolder&>(folder);
        rtbThanks.LoadFile(writable.Write("credits.richtext", kCredits));
    }
};

class Screenshot : public FormsTest {};

std::string ShotPath(const std::string& name) { return ::testing::TempDir() + "ozr-forms-" + name + ".png"; }

TEST_F(Screenshot, ASampleFormShowsOneControlOfEachKind) {
    ScratchFolder folder;
    SampleForm f;
    f.Show();
    f.Fill(folder);
    f.txtName.SetFocus();
    Pump();
    RECT client = ClientRectOnScreen(f.hWnd);
    auto at = [&](int x, int y) { return PixelColor(ComposedScreen().at(client.left + x, client.top + y)); };
    auto area = [&](int x, int y, int w, int h) {
        return ScreenPixels(RECT{client.left + x, client.top + y, client.left + x + w, client.top + y + h});
    };

    EXPECT_EQ(at(100, 42), RGB(255, 255, 255)) << "the text box's window background";
    EXPECT_GT(CountColor(area(10, 32, 180, 21), RGB(0, 0, 0)), 20u) << "and its text";
    EXPECT_EQ(at(12, 165 + 1 + LineHeight(f.lstItems.Font()) + 3), ResolveColor(vbHighlight)) << "the list's selected item";
    EXPECT_GT(CountColor(area(10, 270, 180, 70), RGB(0, 0, 0)), 25u) << "the frame's caption and its label";
    EXPECT_EQ(at(11 + 57, 353 + 3), RGB(57 * 4, 60, 255 - 3 * 4)) << "the picture box's picture";
    EXPECT_EQ(at(135, 382), RGB(255, 0, 0)) << "the line";

    // The tree: pictures of the image list, lines, the bold red node.
    auto tree = area(210, 10, 210, 200);
    EXPECT_GE(CountColor(tree, RGB(70, 110, 220)), 2u * 14 * 14) << "two group pictures";
    EXPECT_GE(CountColor(tree, RGB(250, 220, 90)), 4u * 14 * 14) << "four page pictures";
    EXPECT_GT(CountColor(tree, RGB(255, 0, 0)), 30u) << "the highlighted section in red";

    // The grid: header, pictures centred in the first column, the selected row's colours.
    EXPECT_EQ(at(431 + 15, 11 + 2), ResolveColor(vbButtonFace)) << "the fixed row";
    RECT first = f.flxAlarms.CellRect(1, 0);
    EXPECT_EQ(at(430 + (first.left + first.right - 1) / 2, 10 + (first.top + first.bottom - 1) / 2), kGridOn);
    RECT selected = f.flxAlarms.CellRect(2, 1);
    EXPECT_EQ(at(430 + selected.right - 4, 10 + selected.top + 3), kSelectedBack);
    EXPECT_EQ(at(430 + 100, 300), ResolveColor(vbButtonShadow)) << "the grid's own background below the rows";

    // The rich text: a bold centred title, red and green runs.
    auto credits = area(210, 220, 210, 192);
    EXPECT_GT(CountColor(credits, RGB(200, 0, 0)), 20u) << "bold red";
    EXPECT_GT(CountColor(credits, RGB(0, 110, 0)), 10u) << "green";

    std::string path = ShotPath("sample");
    ASSERT_TRUE(WriteWindowScreenshot(f.hWnd, path));
    DecodedImage image = LoadImageFile(path);
    ASSERT_TRUE(image.surface);
    RECT window;
    GetWindowRect(f.hWnd, &window);
    EXPECT_EQ(image.surface->width(), window.width());
    EXPECT_EQ(image.surface->height(), window.height());
    std::printf("Sample form: %s\n", path.c_str());
}

TEST_F(Screenshot, TheNewKindsShowFocusAndDisabledStates) {
    ScratchFolder folder;
    SampleForm f;
    f.Show();
    f.Fill(folder);
    f.cmdOk.SetFocus();
    std::vector<WindowedControl*> controls{&f.treeO, &f.flxAlarms, &f.rtbThanks};
    for (WindowedControl* c : controls) {
        SCOPED_TRACE(c->Name());
        auto plain = ScreenPixels(OnScreen(c->Window(), RECT{0, 0, c->PixelRect().width(), c->PixelRect().height()}));
        auto shot = [&] { return ScreenPixels(OnScreen(c->Window(), RECT{0, 0, c->PixelRect().width(), c->PixelRect().height()})); };
        ASSERT_TRUE(c->SetFocus());
        EXPECT_NE(shot(), plain) << "focus shows";
        f.cmdOk.SetFocus();
        EXPECT_EQ(shot(), plain) << "and goes again";
        c->Enabled = false;
        EXPECT_NE(shot(), plain) << "disabled shows";
        c->Enabled = true;
    }
}

TEST_F(Screenshot, RepaintingEveryKindLeaksNoDrawingObjects) {
    ScratchFolder folder;
    SampleForm f;
    f.Show();
    f.Fill(folder);
    Pump();
    std::size_t objects = LiveGdiObjectCount(), dcs = LiveDcCount();
    for (int i = 0; i < 3; ++i) {
        f.flxAlarms.TopRow = 1;
        f.treeO.Nodes("root1").Expanded = i % 2 == 0;
        f.Refresh();
        for (Control* c : f.Controls())
            if (auto* w = dynamic_cast<WindowedControl*>(c)) w->Refresh();
        Pump();
    }
    EXPECT_EQ(LiveGdiObjectCount(), objects);
    EXPECT_EQ(LiveDcCount(), dcs);
}

TEST_F(Screenshot, TheCommonDialogsAsAPersonSeesThem) {
    ScratchFolder folder;
    folder.Write("Sounds/Bell.wav", "");
    folder.Write("Sounds/Chime.mp3", "");
    folder.Write("Sounds/Old/Ring.wav", "");
    InstallService<CommonDialogs>(MakeCommonDialogWindows());
    SampleForm f;
    f.Show();
    auto shoot = [](const std::string& name) {
        return [name](CommonDialogForm& d) {
            Pump();
            EXPECT_TRUE(WriteWindowScreenshot(d.Window(), ShotPath(name)));
            std::printf("%s dialog: %s\n", name.c_str(), ShotPath(name).c_str());
            Key(VK_ESCAPE);
        };
    };
    f.CD.Flags = 259;
    f.CD.Color = RGB(0, 128, 255);
    WhenTheDialogOpens<CommonDialogForm>(shoot("color"));
    f.CD.ShowColor();
    f.CD.FontName = "Liberation Sans";
    f.CD.FontSize = 10;
    f.CD.FontBold = true;
    WhenTheDialogOpens<CommonDialogForm>(shoot("font"));
    f.CD.ShowFont();
    f.CD.Filter = "Accepted sound files (*.wav;*.mp3)|*.wav;*.mp3";
    f.CD.FileName = folder.Path("Sounds") + "\\Some Sound";
    WhenTheDialogOpens<CommonDialogForm>(shoot("open"));
    f.CD.ShowOpen();
    ResetServices();
    for (const char* name : {"color", "font", "open"}) EXPECT_TRUE(LoadImageFile(ShotPath(name)).surface) << name;
}

}  // namespace
}  // namespace formtest
