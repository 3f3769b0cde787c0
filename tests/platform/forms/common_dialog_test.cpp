// The common dialogs: answered and cancelled by script, the values the control keeps, the headless
// default, and the dialog forms themselves as a person uses them (driven by input while modal).
#include <filesystem>

#include "control_test_support.h"
#include "dialog_test_support.h"
#include "platform/forms/color_dialog.h"
#include "platform/forms/common_dialog.h"
#include "tests/support/test_services.h"
#include "platform/forms/file_dialog.h"
#include "platform/forms/font_dialog.h"
#include "platform/services/paths.h"
#include "platform/window/message_box.h"

namespace formtest {
namespace {

struct PageForm : Form {
    PageForm() : Form("frmPage") {}
    CommandButton cmdColor{this, "cmdColor"};
    PictureBox pctPicture{this, "pctPicture"};
    CommonDialog CD{pctPicture, "CD"};  // a dialog control may sit inside a container
    void Design() override {
        BorderStyle = vbBSNone;
        Move(3000, 3000, 6000, 4500);
        cmdColor.Move(150, 150, 1200, 375);
        pctPicture.Move(150, 900, 1500, 1500);
    }
};

class Dialogs : public FormsTest {};

TEST_F(Dialogs, AnsweredDialogsSetTheControlsValues) {
    PageForm f;
    f.Show();
    auto& dialogs = testsupport::UseRecordingCommonDialogs();
    dialogs.Answer(CommonDialogAnswer::ChooseColor(RGB(12, 34, 56)));
    FontDescription chosen{"Liberation Serif", 14.5, true, false, true, false};
    dialogs.Answer(CommonDialogAnswer::ChooseFont(chosen));
    dialogs.Answer([](const CommonDialogRequest& r) { return CommonDialogAnswer::ChooseFile("/tmp/alarms/Bell.wav", r.filterIndex + 1); });

    f.CD.Flags = cdlCCRGBInit | cdlCCFullOpen | cdlCCAnyColor;
    f.CD.Color = RGB(200, 0, 0);
    f.CD.ShowColor();
    EXPECT_EQ(f.CD.Color, RGB(12, 34, 56));

    f.CD.Flags = 259;
    f.CD.FontName = "Arial";
    f.CD.FontSize = 10;
    f.CD.FontBold = false;
    f.CD.FontItalic = true;
    f.CD.ShowFont();
    EXPECT_EQ(f.CD.FontName(), "Liberation Serif");
    EXPECT_EQ(f.CD.FontSize, 14.5);
    EXPECT_TRUE(f.CD.FontBold);
    EXPECT_FALSE(f.CD.FontItalic) << "every font value is the answer's";
    EXPECT_TRUE(f.CD.FontUnderline);
    EXPECT_FALSE(f.CD.FontStrikethru);

    f.CD.Filter = "Accepted sound files (*.wav;*.mp3)|*.wav;*.mp3";
    f.CD.FileName = "\\Alarms\\Sounds\\Some Sound";
    f.CD.ShowOpen();
    EXPECT_EQ(f.CD.FileName(), "/tmp/alarms/Bell.wav");
    EXPECT_EQ(f.CD.FileTitle(), "Bell.wav");
    EXPECT_EQ(f.CD.FilterIndex, 2);

    ASSERT_EQ(dialogs.Requests().size(), 3u);
    const CommonDialogRequest& color = dialogs.Requests()[0];
    EXPECT_EQ(color.kind, CommonDialogKind::Color);
    EXPECT_EQ(color.flags, 259);
    EXPECT_EQ(color.color, RGB(200, 0, 0)) << "the dialog starts from the colour set";
    EXPECT_EQ(color.owner, f.hWnd()) << "owned by the form the control is on";
    const CommonDialogRequest& font = dialogs.Requests()[1];
    EXPECT_EQ(font.font.name, "Arial");
    EXPECT_EQ(font.font.size, 10);
    EXPECT_TRUE(font.font.italic);
    const CommonDialogRequest& open = dialogs.Requests()[2];
    EXPECT_EQ(open.kind, CommonDialogKind::Open);
    EXPECT_EQ(open.fileName, "\\Alarms\\Sounds\\Some Sound");
    EXPECT_EQ(open.filter, "Accepted sound files (*.wav;*.mp3)|*.wav;*.mp3");
}

TEST_F(Dialogs, CancelRaisesTheCancelErrorOnlyWhenAskedAndChangesNothing) {
    PageForm f;
    f.Show();
    auto& dialogs = testsupport::UseRecordingCommonDialogs();
    for (int i = 0; i < 6; ++i) dialogs.Answer(CommonDialogAnswer::Cancel());
    f.CD.Color = RGB(1, 2, 3);
    f.CD.FontName = "Arial";
    f.CD.FileName = "keep.txt";
    f.CD.Flags = cdlCFBoth;

    f.CD.CancelError = false;
    EXPECT_NO_THROW(f.CD.ShowColor());
    EXPECT_NO_THROW(f.CD.ShowFont());
    EXPECT_NO_THROW(f.CD.ShowOpen());

    f.CD.CancelError = true;
    try {
        f.CD.ShowColor();
        ADD_FAILURE() << "a cancelled dialog raises the error";
    } catch (const CommonDialogCancelled& e) {
        EXPECT_EQ(e.Number(), cdlCancel);
        EXPECT_NE(std::string(e.what()).find("32755"), std::string::npos) << e.what();
    }
    EXPECT_THROW(f.CD.ShowFont(), CommonDialogCancelled);
    EXPECT_THROW(f.CD.ShowOpen(), Error) << "it is a platform::Error";

    EXPECT_EQ(f.CD.Color, RGB(1, 2, 3));
    EXPECT_EQ(f.CD.FontName(), "Arial");
    EXPECT_EQ(f.CD.FileName(), "keep.txt");
    EXPECT_EQ(dialogs.Unused(), 0u);
}

TEST_F(Dialogs, AFontDialogWithoutFontsAndAnUnscriptedDialogAreErrors) {
    PageForm f;
    f.Show();
    auto& dialogs = testsupport::UseRecordingCommonDialogs();
    f.CD.Flags = cdlCFEffects;  // neither screen nor printer fonts
    EXPECT_THROW(f.CD.ShowFont(), Error);
    EXPECT_TRUE(dialogs.Requests().empty()) << "no dialog was opened";
    EXPECT_THROW(f.CD.ShowColor(), Error) << "no answer was scripted";
}

TEST_F(Dialogs, AHeadlessRunPrintsTheDialogAndCancelsIt) {
    PageForm f;
    f.Show();
    f.CD.Flags = 259;
    f.CD.Color = RGB(0x56, 0x34, 0x12);
    f.CD.CancelError = true;
    ::testing::internal::CaptureStderr();
    EXPECT_THROW(f.CD.ShowColor(), CommonDialogCancelled);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "CommonDialog Color flags 259 color 0x00123456\n");
    f.CD.CancelError = false;
    f.CD.Color = RGB(9, 9, 9);
    ::testing::internal::CaptureStderr();
    f.CD.ShowColor();
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(f.CD.Color, RGB(9, 9, 9));
}

// ---- The dialog forms, as a person answers them ----

class DialogWindows : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        InstallService<CommonDialogs>(MakeCommonDialogWindows());
        auto& messageBoxes = testsupport::UseRecordingMessageBoxes();
        messageBoxes.AnswerEveryBoxWith(IDOK);
        messageBoxes.whileShown = [this](const MessageBoxRequest& r) { boxes.push_back(r.text); };
    }
    void TearDown() override {
        ResetServices();
        PendingScript() = nullptr;
    }
    std::vector<std::string> boxes;
};

TEST_F(DialogWindows, TheColourDialogStartsFromTheColourAndReturnsTheOneChosen) {
    PageForm f;
    f.Show();
    f.CD.CancelError = true;
    f.CD.Flags = cdlCCRGBInit;
    f.CD.Color = RGB(0, 128, 128);
    bool ownerTookInput = true;
    WhenTheDialogOpens<ColorDialogForm>([&](ColorDialogForm& d) {
        ownerTookInput = IsWindowEnabled(f.hWnd);
        EXPECT_EQ(d.Current(), RGB(0, 128, 128));
        EXPECT_EQ(d.grdBasic.ColorAt(d.grdBasic.Selected()), RGB(0, 128, 128)) << "its swatch is chosen";
        EXPECT_FALSE(d.FullOpen());
        EXPECT_FALSE(d.txtRed.Visible);
        ClickAt(CentreOfRect(OnScreen(d.grdBasic.hWnd, d.grdBasic.SwatchRect(8))));
        Key(VK_RETURN);
    });
    f.CD.ShowColor();
    EXPECT_FALSE(ownerTookInput) << "the dialog is modal";
    EXPECT_TRUE(IsWindowEnabled(f.hWnd));
    EXPECT_EQ(f.CD.Color, RGB(255, 0, 0)) << "the ninth basic colour";

    // Without cdlCCRGBInit it starts from black; defining a colour by its values.
    f.CD.Flags = cdlCCFullOpen;
    WhenTheDialogOpens<ColorDialogForm>([&](ColorDialogForm& d) {
        EXPECT_EQ(d.Current(), RGB(0, 0, 0));
        EXPECT_TRUE(d.FullOpen());
        Retype(d.txtRed, "12");
        Retype(d.txtGreen, "34");
        Retype(d.txtBlue, "56");
        EXPECT_EQ(PixelColor(ComposedScreen().at(CentreOf(d.pctColor.hWnd).x, CentreOf(d.pctColor.hWnd).y)), RGB(12, 34, 56))
            << "the preview shows it";
        Click(d.cmdAdd.hWnd);
        Click(d.cmdOk.hWnd);
    });
    f.CD.ShowColor();
    EXPECT_EQ(f.CD.Color, RGB(12, 34, 56));

    // The custom colour stays for the next dialog; Esc cancels.
    f.CD.Flags = 0;
    WhenTheDialogOpens<ColorDialogForm>([&](ColorDialogForm& d) {
        EXPECT_EQ(d.grdCustom.ColorAt(0), RGB(12, 34, 56));
        Click(d.cmdDefine.hWnd);
        EXPECT_TRUE(d.FullOpen());
        Key(VK_ESCAPE);
    });
    EXPECT_THROW(f.CD.ShowColor(), CommonDialogCancelled);
    EXPECT_EQ(f.CD.Color, RGB(12, 34, 56));

    f.CD.Flags = cdlCCPreventFullOpen | cdlCCFullOpen | cdlCCRGBInit;
    f.CD.Color = vbButtonFace;
    WhenTheDialogOpens<ColorDialogForm>([&](ColorDialogForm& d) {
        EXPECT_EQ(d.Current(), ResolveColor(vbButtonFace)) << "a system colour starts as the colour it stands for";
        EXPECT_FALSE(d.FullOpen());
        EXPECT_FALSE(d.cmdDefine.Enabled);
        d.Unload();  // the close box
    });
    EXPECT_THROW(f.CD.ShowColor(), CommonDialogCancelled);
}

TEST_F(DialogWindows, TheFontDialogTakesFaceStyleSizeAndEffects) {
    PageForm f;
    f.Show();
    f.CD.CancelError = true;
    f.CD.Flags = 259;
    f.CD.FontName = "Arial";
    f.CD.FontSize = 10;
    WhenTheDialogOpens<FontDialogForm>([&](FontDialogForm& d) {
        EXPECT_EQ(d.txtFont.Text(), "Arial");
        EXPECT_EQ(d.lstFont.Text(), "Arial") << "a preset face not installed is offered too";
        EXPECT_EQ(d.txtStyle.Text(), "Regular");
        EXPECT_EQ(d.txtSize.Text(), "10");
        EXPECT_EQ(d.lstSize.Text(), "10");
        EXPECT_TRUE(d.fraEffects.Visible);
        d.lstStyle.SetFocus();
        Key(VK_END);
        EXPECT_EQ(d.txtStyle.Text(), "Bold Italic");
        Retype(d.txtSize, "14");
        EXPECT_EQ(d.lstSize.Text(), "14");
        Click(d.chUnderline.hWnd);
        Retype(d.txtFont, "liberation ser");
        EXPECT_EQ(d.lstFont.Text(), "Liberation Serif") << "typing finds the face";
        EXPECT_EQ(d.lblSample.FontUnderline(), true);
        // The tests' own fonts: Liberation Serif is the last face in the list.
        d.lstFont.SetFocus();
        Key(VK_UP);
        EXPECT_EQ(d.txtFont.Text(), "Liberation Sans Narrow") << "the face above";
        Key(VK_DOWN);
        Key(VK_DOWN);
        EXPECT_EQ(d.txtFont.Text(), "Liberation Serif") << "the last face stays chosen past the end";
        Key(VK_RETURN);
    });
    f.CD.ShowFont();
    EXPECT_EQ(f.CD.FontName(), "Liberation Serif");
    EXPECT_EQ(f.CD.FontSize, 14);
    EXPECT_TRUE(f.CD.FontBold);
    EXPECT_TRUE(f.CD.FontItalic);
    EXPECT_TRUE(f.CD.FontUnderline);
    EXPECT_FALSE(f.CD.FontStrikethru);

    // Bad entries are refused with a message and the dialog stays open.
    f.CD.Flags = cdlCFScreenFonts;
    WhenTheDialogOpens<FontDialogForm>([&](FontDialogForm& d) {
        EXPECT_FALSE(d.fraEffects.Visible) << "effects only with cdlCFEffects";
        EXPECT_EQ(d.txtStyle.Text(), "Bold Italic") << "the preset style";
        Retype(d.txtSize, "0");
        Key(VK_RETURN);
        Retype(d.txtSize, "12");
        Retype(d.txtStyle, "Heavy");
        Key(VK_RETURN);
        EXPECT_TRUE(d.IsLoaded());
        Click(d.cmdCancel.hWnd);
    });
    EXPECT_THROW(f.CD.ShowFont(), CommonDialogCancelled);
    EXPECT_EQ(boxes, (std::vector<std::string>{"The size must be a number from 1 to 1638 points.",
                                               "Choose a font style from the list of styles."}));
    EXPECT_EQ(f.CD.FontSize, 14);
}

TEST_F(DialogWindows, TheOpenDialogBrowsesFoldersWithTheFilterAndReturnsThePath) {
    ScratchFolder folder;
    folder.Write("Icons/a.ico", "");
    folder.Write("Icons/b.bmp", "");
    folder.Write("Icons/Sub/c.ICO", "");
    folder.Write("Icons/.hidden.ico", "");
    SetProgramFolder(folder.Root());
    PageForm f;
    f.Show();
    f.CD.CancelError = true;
    f.CD.Flags = 259;
    f.CD.Filter = "Icons require ICO files (*.ico)|*.ico|Everything|*";
    f.CD.FileName = ProgramFolder() + "\\Icons\\Some Icon";  // the clock's way of offering a name
    WhenTheDialogOpens<FileDialogForm>([&](FileDialogForm& d) {
        EXPECT_EQ(d.Folder(), folder.Path("Icons"));
        EXPECT_EQ(d.txtName.Text(), "Some Icon");
        EXPECT_EQ(d.lstFiles.ListCount, 2) << "the folder and the file of the type, nothing hidden";
        EXPECT_EQ(d.lstFiles.List(0), "[Sub]");
        EXPECT_EQ(d.lstFiles.List(1), "a.ico");
        DoubleClickAt(ListRow(d.lstFiles, 0));
        EXPECT_EQ(d.Folder(), folder.Path("Icons/Sub"));
        ASSERT_EQ(d.lstFiles.ListCount, 1) << "patterns ignore letter case";
        DoubleClickAt(ListRow(d.lstFiles, 0));
    });
    f.CD.ShowOpen();
    EXPECT_EQ(f.CD.FileName(), folder.Path("Icons/Sub/c.ICO"));
    EXPECT_EQ(f.CD.FileTitle(), "c.ICO");
    EXPECT_EQ(f.CD.FilterIndex, 1);

    f.CD.Flags = cdlOFNFileMustExist;
    f.CD.FileName = "";
    f.CD.InitDir = "\\Icons";
    WhenTheDialogOpens<FileDialogForm>([&](FileDialogForm& d) {
        EXPECT_EQ(d.Folder(), folder.Path("Icons"));
        Retype(d.txtName, "missing.ico");
        Key(VK_RETURN);
        EXPECT_TRUE(d.IsLoaded()) << "a file that does not exist is refused";
        d.ddlType.SetFocus();
        Key(VK_DOWN);
        EXPECT_EQ(d.lstFiles.ListCount, 3);
        ClickAt(ListRow(d.lstFiles, 2));
        EXPECT_EQ(d.txtName.Text(), "b.bmp");
        d.lstFiles.SetFocus();
        Key(VK_BACK);
        EXPECT_EQ(d.Folder(), folder.Root());
        Retype(d.txtName, "Icons");
        Key(VK_RETURN);
        EXPECT_EQ(d.Folder(), folder.Path("Icons")) << "a folder's name opens it";
        Retype(d.txtName, "b.bmp");
        Click(d.cmdOk.hWnd);
    });
    f.CD.ShowOpen();
    EXPECT_EQ(f.CD.FileName(), folder.Path("Icons/b.bmp"));
    EXPECT_EQ(f.CD.FilterIndex, 2);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("File not found"), std::string::npos);

    WhenTheDialogOpens<FileDialogForm>([&](FileDialogForm& d) {
        EXPECT_EQ(d.txtName.Text(), "b.bmp") << "the last choice is offered";
        Click(d.cmdCancel.hWnd);
    });
    EXPECT_THROW(f.CD.ShowOpen(), CommonDialogCancelled);
    EXPECT_EQ(f.CD.FileName(), folder.Path("Icons/b.bmp"));
    SetProgramFolder("");
}

TEST(FileFilter, PatternsAndDescriptions) {
    auto filters = ParseFileFilter("Accepted sound files (*.wav;*.mp3)|*.wav;*.mp3|All|");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].description, "Accepted sound files (*.wav;*.mp3)");
    EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.wav", "*.mp3"}));
    EXPECT_TRUE(filters[1].Matches("anything")) << "no pattern: every file";
    struct {
        const char *name, *pattern;
        bool match;
    } cases[] = {{"Bell.WAV", "*.wav", true}, {"bell.wav.txt", "*.wav", false}, {"a.b.c", "*.c", true}, {"abc", "a?c", true},
                 {"ac", "a?c", false},        {"x", "*", true},                {"", "*", true},          {"aXbXc", "a*b*c", true},
                 {"aXbX", "a*b*c", false}};
    for (const auto& c : cases) EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.match) << c.name << " " << c.pattern;
    EXPECT_TRUE(ParseFileFilter("").empty());
}

}  // namespace
}  // namespace formtest
