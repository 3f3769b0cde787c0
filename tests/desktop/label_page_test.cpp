// The label page on the headless desktop: F2, then its node; listing, New, editing, Delete, and
// what Apply and Cancel make of it, on the real library's clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>

#include "core/frm_main.h"
#include "core/frm_zinput.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "desktop_harness.h"
#include "fake_library.h"
#include "platform/forms/constants.h"
#include "platform/services/settings_file.h"
#include "settings/frm_seti.h"
#include "settings/frm_seti_lc.h"
#include "tests/support/recording_common_dialogs.h"
#include "tests/support/recording_popup_help.h"
#include "tests/support/while_modal.h"

using namespace platform;
using desktop::Desktop;
using desktop::DesktopOptions;
using settings::frmSeti;
using settings::frmSetiLC;

namespace {

constexpr const char* kHeader = "[Dralo Software Development Ruriv - Settings File]\n";
constexpr const char* kLaterRun = "[Main Settings]\nRunCount=4\nSplash=0\n";

// A settings file with the labels given as "[ZTVLBL: name]" sections (X, Y and the script).
struct StoredLabel {
    const char* name;
    int x = 0, y = 0;
    const char* script = "hh:mm";
};
std::string LabelsFile(std::initializer_list<StoredLabel> labels, const std::string& extra = "") {
    std::string text = std::string(kHeader) + kLaterRun + extra + "[Labels]\n";
    int key = 1;
    for (const StoredLabel& l : labels) text += "K" + std::to_string(key++) + "=" + l.name + "\n";
    for (const StoredLabel& l : labels)
        text += std::string("[ZTVLBL: ") + l.name + "]\nX=" + std::to_string(l.x) + "\nY=" + std::to_string(l.y) +
                "\nFace=Arial\nSize=9\nBold=400\nItalic=0\nUnderline=0\nStrikeOut=0\nBack=16777215\nFore=0\nSpawnString=" +
                l.script + "\nVisible=1\n";
    return text;
}

DesktopOptions WithSettings(std::string file, bool fakeLibrary = false) {
    return {.prepare = [file = std::move(file), fakeLibrary](const std::filesystem::path& folder) {
        std::ofstream(folder / "Settings.ozrini") << file;
        if (fakeLibrary) desktop::InstallFakeLibrary(folder);
    }};
}

using desktop::CentreOf;

using testsupport::WhileModalWaits;

class LabelPage : public testing::Test {
public:
    explicit LabelPage(DesktopOptions options = WithSettings(std::string(kHeader) + kLaterRun)) : d(std::move(options)) {}

    void SetUp() override {
        ASSERT_TRUE(d.Start());
        d.Advance(2000);  // the library has reported every label's flags
    }
    void OpenPage() {
        d.Key(VK_F2);
        d.Advance(50);
        ASSERT_TRUE(frmSeti().IsLoaded());
        frmSeti().treeO.Nodes(5).EnsureVisible();
        d.Pump();
        const RECT tree = d.Rect(frmSeti().treeO.hWnd);
        const RECT row = frmSeti().treeO.RowRect(frmSeti().treeO.RowOfNode(frmSeti().treeO.Nodes(5)));
        d.Click(POINT{tree.left + row.left + 60, tree.top + (row.top + row.bottom) / 2});
        d.Advance(50);
        ASSERT_EQ(core::CurrentPageName, "frmSetiLC");
    }
    void ClickOn(const forms::WindowedControl& control) {
        d.Click(CentreOf(d.Rect(control.hWnd)));
        d.Pump();
    }
    // Clicks the list's first entry, then moves to an entry with the arrow keys.
    void ChooseLabel(int position) {
        const RECT list = d.Rect(frmSetiLC().lstLabels.hWnd);
        d.Click(POINT{list.left + 20, list.top + 8});
        for (int i = 0; i < position; ++i) d.Key(VK_DOWN);
        ASSERT_EQ(frmSetiLC().lstLabels.ListIndex, position);
    }
    // New, with the name typed into the input box (or the box cancelled).
    void AddLabel(const std::string& name, bool ok = true) {
        WhileModalWaits([name, ok] {
            core::frmZInput().txtInput.Text = name;
            (ok ? core::frmZInput().cmdOk : core::frmZInput().cmdCancel).Click();
        });
        ClickOn(frmSetiLC().cmdNew);
        d.Advance(50);
    }
    void Apply() { ClickOn(frmSeti().cmdApply); }
    void Cancel() {
        ClickOn(frmSeti().cmdCancelN);
        d.Advance(50);
    }
    // The box's text typed over and the box left for the other offset box.
    void TypeOffset(forms::TextBox& box, const std::string& text) {
        box.SetFocus();
        box.Text = text;
        ClickOn(&box == &frmSetiLC().txtX ? frmSetiLC().txtY : frmSetiLC().txtX);
    }
    std::string Stored(const std::string& section, const std::string& key) {
        SettingsFile file;
        file.Open(d.PathOf("Settings.ozrini").string());
        return file.ListItemExists(section, key) ? file.ReadText(section, key) : "<none>";
    }
    std::vector<std::string> ListedNames() {
        std::vector<std::string> names;
        for (int i = 0; i < frmSetiLC().lstLabels.ListCount; ++i) names.push_back(frmSetiLC().lstLabels.List(i));
        return names;
    }
    std::string PageText(const char* key) { return core::LanguageFile.ReadText(core::kLabelPageSection, key); }

    Desktop d;
};

TEST_F(LabelPage, ListsTheLabelsDisabledUntilOneIsClickedThenShowsIt) {
    OpenPage();
    auto& page = frmSetiLC();
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"Precise Time", "Japanese Date"}));
    EXPECT_EQ(page.lstLabels.ListIndex, -1);
    EXPECT_FALSE(page.txtX.Enabled);
    EXPECT_FALSE(page.txtCLS.Enabled);
    EXPECT_FALSE(page.chVisible.Enabled);
    EXPECT_TRUE(page.cmdNew.Enabled);
    EXPECT_EQ(page.lblFont.Caption, "N/A");
    EXPECT_EQ(page.ddlLabelClass.Text, PageText("Label Class 1"));
    EXPECT_EQ(page.ddlQuick.ListIndex, 0);
    EXPECT_EQ(page.ddlPre.ListIndex, 0);
    EXPECT_EQ(page.lblStatus.Caption, PageText("Status") + ": " + PageText("Status 0") + ".");

    ChooseLabel(0);
    EXPECT_TRUE(page.txtX.Enabled);
    EXPECT_EQ(page.txtX.Text, "0");
    EXPECT_EQ(page.txtY.Text, "0");
    EXPECT_EQ(page.lblFont.Caption, "Arial, 10, B");
    EXPECT_EQ(page.txtCLS.Text, "achh:mm:ss");
    EXPECT_TRUE(page.optCenter.Value);
    EXPECT_EQ(page.chVisible.Value, forms::vbChecked);
    EXPECT_FALSE(page.pctColor.Visible);
    EXPECT_EQ(page.pctColor.BackColor, 0u);
    EXPECT_EQ(page.pctTextColor.BackColor, 0xFFFFFFu);
    EXPECT_TRUE(d.MessageBoxes().empty());

    // The other classes are not open yet: a box, and the first class again.
    page.ddlLabelClass.ListIndex = 1;
    ASSERT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_EQ(d.MessageBoxes()[0].type, 4160u);
    EXPECT_NE(d.MessageBoxes()[0].text.find("\"Ruriv Tooltip\""), std::string::npos);
    EXPECT_EQ(page.ddlLabelClass.ListIndex, 0);
    EXPECT_EQ(page.lstLabels.ListIndex, -1);
    EXPECT_FALSE(page.txtX.Enabled);
    page.ddlLabelClass.ListIndex = 2;
    EXPECT_NE(d.MessageBoxes().back().text.find("\"Clipboard Copy Format\""), std::string::npos);
    EXPECT_EQ(ListedNames().size(), 2u);
}

TEST_F(LabelPage, NewAddsASelectedLabelTheClockShowsAtOnceAndApplyWritesIt) {
    OpenPage();
    AddLabel("Seconds");
    ASSERT_EQ(core::LabelCount, 3);
    ASSERT_EQ(core::Labels.size(), 4u) << "a fresh spare follows the new label";
    const core::ClockLabel& added = core::Labels[2];
    EXPECT_EQ(added.LabelName, "Seconds");
    EXPECT_FALSE(added.LabelKey.empty());
    EXPECT_NE(added.LabelKey, core::Labels[0].LabelKey);
    auto& page = frmSetiLC();
    EXPECT_EQ(ListedNames().back(), "Seconds");
    EXPECT_EQ(page.lstLabels.ListIndex, 2);
    EXPECT_EQ(page.txtX.Text, "0");
    EXPECT_EQ(page.lblFont.Caption, "Arial, 8");
    EXPECT_EQ(page.txtCLS.Text, "hh:mm:ss");
    EXPECT_TRUE(page.optLeft.Value);
    EXPECT_EQ(page.chVisible.Value, forms::vbChecked);

    // The clock grows a third line, black on white in Arial 8, with the seconds.
    d.Advance(1500);
    auto& lines = core::frmMain().Label;
    ASSERT_GE(lines.Count(), 3);
    EXPECT_TRUE(lines(2).Visible);
    EXPECT_EQ(lines(2).Caption, "12:00:03");
    EXPECT_EQ(lines(2).FontName, "Arial");
    EXPECT_EQ(lines(2).FontSize, 8.0);
    EXPECT_EQ(lines(2).BackColor, 0xFFFFFFu);
    EXPECT_EQ(lines(2).ForeColor, 0u);
    EXPECT_EQ(Stored("Labels", added.LabelKey), "<none>") << "nothing is written before Apply";

    Apply();
    EXPECT_EQ(Stored("Labels", core::Labels[2].LabelKey), "Seconds");
    const std::pair<const char*, const char*> entries[] = {
        {"Face", "Arial"}, {"Size", "8"},  {"Bold", "400"},          {"Back", "16777215"},
        {"Fore", "0"},     {"X", "0"},     {"SpawnString", "hh:mm:ss"}, {"Visible", "1"},
    };
    for (const auto& [key, value] : entries) EXPECT_EQ(Stored("ZTVLBL: Seconds", key), value) << key;
}

TEST_F(LabelPage, NewRefusesAnEmptyOrTakenNameAndACancelChangesNothing) {
    OpenPage();
    const std::string file = d.ReadFile("Settings.ozrini");
    AddLabel(" [ ] ");
    ASSERT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_EQ(d.MessageBoxes()[0].type, 4112u);
    EXPECT_EQ(d.MessageBoxes()[0].text, PageText("New Label Invalid Name"));
    EXPECT_EQ(d.MessageBoxes()[0].caption, "OZR Ruriv - " + core::LanguageFile.ReadText("General", "MSGBOX Error"));
    AddLabel("Precise Time");
    ASSERT_EQ(d.MessageBoxes().size(), 2u);
    EXPECT_EQ(d.MessageBoxes()[1].text, PageText("New Label Duplicate Name"));
    AddLabel("Anything", false);
    EXPECT_EQ(d.MessageBoxes().size(), 2u);
    EXPECT_EQ(core::LabelCount, 2);
    EXPECT_EQ(core::Labels.size(), 3u);
    EXPECT_EQ(ListedNames().size(), 2u);
    // Brackets go, blanks inside stay; a name differing in case is another name.
    AddLabel(" [precise] time ");
    ASSERT_EQ(core::LabelCount, 3);
    EXPECT_EQ(core::Labels[2].LabelName, "precise time");
    EXPECT_EQ(d.ReadFile("Settings.ozrini"), file);
}

TEST_F(LabelPage, EditsReachTheLabelAtOnceAndApplyStoresThem) {
    auto& dialogs = testsupport::UseRecordingCommonDialogs();
    OpenPage();
    auto& page = frmSetiLC();
    ChooseLabel(0);

    TypeOffset(page.txtX, "-12.5");
    EXPECT_EQ(page.txtX.Text, "-125");
    EXPECT_EQ(core::Labels[0].X, -1875);
    TypeOffset(page.txtY, "0042");
    EXPECT_EQ(page.txtY.Text, "42");
    EXPECT_EQ(core::Labels[0].Y, 630);
    ClickOn(page.cmdXP);
    EXPECT_EQ(page.txtX.Text, "-124");
    EXPECT_EQ(core::Labels[0].X, -1860);
    page.txtY.SetFocus();
    d.Key(VK_DOWN);
    EXPECT_EQ(page.txtY.Text, "41");

    ClickOn(page.optRight);
    EXPECT_EQ(page.txtCLS.Text, "arhh:mm:ss");
    EXPECT_EQ(core::Labels[0].SpawnString, "arhh:mm:ss");
    EXPECT_TRUE(page.optRight.Value);
    ASSERT_TRUE(core::LabelDisplayOf(0));
    EXPECT_TRUE(core::LabelDisplayOf(0)->LabelNeedsLayout);
    EXPECT_TRUE(core::LabelDisplayOf(0)->LabelPushed);

    ClickOn(page.chVisible);
    EXPECT_FALSE(core::Labels[0].Visible);
    d.Advance(1100);
    EXPECT_FALSE(core::frmMain().Label(0).Visible) << "the clock hides the label";
    ClickOn(page.chVisible);
    EXPECT_TRUE(core::Labels[0].Visible);

    dialogs.Answer(forms::CommonDialogAnswer::ChooseColor(0x0000FF));
    ClickOn(page.cmdColor);
    dialogs.Answer(forms::CommonDialogAnswer::ChooseColor(0x00FF00));
    ClickOn(page.cmdTextColor);
    dialogs.Answer(forms::CommonDialogAnswer::ChooseFont(forms::FontDescription{"DejaVu Sans", 11.5, false, true, true, false}));
    ClickOn(page.cmdFont);
    dialogs.Answer(forms::CommonDialogAnswer::Cancel());
    ClickOn(page.cmdColor);
    ASSERT_EQ(dialogs.Requests().size(), 4u);
    EXPECT_EQ(dialogs.Requests()[0].color, 0u) << "the dialog starts from the label's colour";
    EXPECT_EQ(dialogs.Requests()[1].color, 0xFFFFFFu);
    EXPECT_EQ(dialogs.Requests()[2].font, (forms::FontDescription{"Arial", 10, true, false, false, false}));
    EXPECT_EQ(dialogs.Requests()[2].flags, 259);
    const core::ClockLabel& l = core::Labels[0];
    EXPECT_EQ(l.Back, 0x0000FF) << "the cancelled dialog kept the colour";
    EXPECT_EQ(l.Fore, 0x00FF00);
    EXPECT_EQ(l.Face, "DejaVu Sans");
    EXPECT_EQ(l.Size, 12);
    EXPECT_EQ(l.Bold, 400);
    EXPECT_TRUE(l.Italic && l.Underline && !l.StrikeOut);
    EXPECT_EQ(page.lblFont.Caption, "DejaVu Sans, 12, I, U");
    EXPECT_EQ(page.pctColor.BackColor, 0x0000FFu);
    EXPECT_EQ(GetFocus(), page.cmdColor.hWnd) << "the focus comes back to the button";
    d.Advance(1100);
    EXPECT_EQ(core::frmMain().Label(0).BackColor, 0x0000FFu);
    EXPECT_EQ(core::frmMain().Label(0).ForeColor, 0x00FF00u);
    EXPECT_EQ(core::frmMain().Label(0).FontName, "DejaVu Sans");

    Apply();
    EXPECT_EQ(Stored("ZTVLBL: Precise Time", "X"), "-1860");
    EXPECT_EQ(Stored("ZTVLBL: Precise Time", "Y"), "615");
    EXPECT_EQ(Stored("ZTVLBL: Precise Time", "SpawnString"), "arhh:mm:ss");
    EXPECT_EQ(Stored("ZTVLBL: Precise Time", "Back"), "255");
    EXPECT_EQ(Stored("ZTVLBL: Precise Time", "Size"), "12");
}

TEST_F(LabelPage, TheScriptBoxAndItsListsEditTheScript) {
    OpenPage();
    auto& page = frmSetiLC();
    ChooseLabel(1);
    ASSERT_EQ(page.txtCLS.Text, "acYYYY-MM-DD");

    page.txtCLS.SetFocus();
    page.txtCLS.Text = "";
    EXPECT_EQ(page.txtCLS.Text, "?");
    EXPECT_EQ(page.txtCLS.SelStart, 1);
    EXPECT_EQ(core::Labels[1].SpawnString, "?");
    EXPECT_TRUE(page.optLeft.Value);
    page.txtCLS.Text = "AChh:mm";
    EXPECT_TRUE(page.optLeft.Value) << "capitals are no prefix";
    page.txtCLS.Text = "hh:mm";
    page.txtCLS.Text = "achh:mm";
    EXPECT_TRUE(page.optCenter.Value);
    EXPECT_EQ(core::Labels[1].SpawnString, "achh:mm");

    // Quick insert: a heading does nothing; an item appends its token at the end.
    const auto itemOf = [](forms::ComboBox& list, const std::string& startsWith) {
        for (int i = 1; i < list.ListCount; ++i)
            if (std::string(list.List(i)).rfind(startsWith, 0) == 0) return i;
        return -1;
    };
    page.ddlQuick.ListIndex = itemOf(page.ddlQuick, core::LanguageFile.ReadText("Quick Insert", "Time"));
    EXPECT_EQ(page.ddlQuick.ListIndex, 0);
    page.txtCLS.SelStart = 0;
    page.ddlQuick.ListIndex = itemOf(page.ddlQuick, ": ");
    page.ddlQuick.ListIndex = itemOf(page.ddlQuick, "ss ");
    EXPECT_EQ(page.txtCLS.Text, "achh:mm:ss");
    EXPECT_EQ(core::Labels[1].SpawnString, "achh:mm:ss");

    // A predefined script replaces the script on Yes and is appended on No.
    const int time = itemOf(page.ddlPre, "24-hour clock with seconds");
    ASSERT_GT(time, 0);
    d.AnswerNextMessageBoxes({IDYES, IDNO});
    page.ddlPre.ListIndex = time;
    EXPECT_EQ(page.txtCLS.Text, "hh:mm:ss");
    EXPECT_TRUE(page.optLeft.Value);
    page.txtCLS.Text = "acYYYY-MM-DD";
    page.ddlPre.ListIndex = 0;
    page.ddlPre.ListIndex = time;
    EXPECT_EQ(page.txtCLS.Text, "acYYYY-MM-DDhh:mm:ss");
    EXPECT_TRUE(page.optCenter.Value) << "an appended prefix is no prefix";
    ASSERT_EQ(d.MessageBoxes().size(), 2u);
    EXPECT_EQ(d.MessageBoxes()[0].type, 4132u);
    EXPECT_EQ(d.MessageBoxes()[0].text, PageText("Script Change Warning Message"));
    page.ddlPre.ListIndex = itemOf(page.ddlPre, core::LanguageFile.ReadText("Scripts", "Date"));
    EXPECT_EQ(page.ddlPre.ListIndex, 0);
    EXPECT_EQ(d.MessageBoxes().size(), 2u);
    d.Advance(1100);
    EXPECT_EQ(core::frmMain().Label(1).Caption, "2026-03-0112:00:03");
}

TEST_F(LabelPage, EachControlShowsItsOwnPopupHelp) {
    auto& help = testsupport::UseRecordingPopupHelp();
    OpenPage();
    auto& page = frmSetiLC();
    ChooseLabel(0);
    const std::pair<forms::WindowedControl*, int> pointed[] = {
        {&page.lstLabels, 402}, {&page.cmdNew, 403},   {&page.cmdDelete, 406},    {&page.chVisible, 407},
        {&page.cmdDisplayColor, 408}, {&page.cmdXP, 409}, {&page.txtY, 410},     {&page.cmdTextColor, 412},
        {&page.cmdFont, 413},   {&page.txtCLS, 416},   {&page.optCenter, 420},    {&page.optRight, 421},
    };
    for (const auto& [control, id] : pointed) {
        help.shown.clear();
        InjectMouseMove(CentreOf(d.Rect(control->hWnd)));
        d.Pump();
        ASSERT_FALSE(help.shown.empty()) << id;
        EXPECT_EQ(help.shown.back().helpId, id);
        EXPECT_EQ(help.shown.back().window, control->hWnd);
        EXPECT_FALSE(help.shown.back().inflate);
    }
    help.shown.clear();
    page.ddlPre.SetFocus();
    d.Pump();
    ASSERT_FALSE(help.shown.empty());
    EXPECT_EQ(help.shown.back().helpId, 418);
    EXPECT_TRUE(help.shown.back().inflate);
    EXPECT_EQ(help.shown.back().title, "Predefined scripts");
}

class LabelPageOfFive : public LabelPage {
public:
    LabelPageOfFive()
        : LabelPage(WithSettings(LabelsFile({{"A", 10, 0}, {"B"}, {"C"}, {"D"}, {"E"}}, "X=2\n"))) {}
};

TEST_F(LabelPageOfFive, AnOffsetShownWithDecimalsStaysWhenItsBoxIsLeftUntouched) {
    OpenPage();
    auto& page = frmSetiLC();
    ChooseLabel(0);
    const std::int16_t x = core::Labels[0].X;
    EXPECT_EQ(core::Labels[0].BaseX, 30) << "the global offset of 2 pixels";
    EXPECT_EQ(page.txtX.Text, "0.666666666666667");
    page.txtX.SetFocus();
    ClickOn(page.txtY);
    EXPECT_EQ(page.txtX.Text, "0.666666666666667");
    EXPECT_EQ(core::Labels[0].X, x);
    ClickOn(page.cmdXP);
    EXPECT_EQ(page.txtX.Text, "1");
    EXPECT_EQ(core::Labels[0].X, 45);
}

TEST_F(LabelPageOfFive, DeleteRemovesExactlyTheSelectedLabelsAndApplyDropsThemFromTheFile) {
    OpenPage();
    auto& page = frmSetiLC();
    const std::string keyB = core::Labels[1].LabelKey, keyE = core::Labels[4].LabelKey;
    ChooseLabel(1);
    page.lstLabels.Selected(2) = true;
    page.lstLabels.Selected(4) = true;
    d.AnswerNextMessageBoxes({IDYES});
    ClickOn(page.cmdDelete);
    ASSERT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_EQ(d.MessageBoxes()[0].text, PageText("Delete Warning Message 2"));
    EXPECT_EQ(core::LabelCount, 2);
    EXPECT_EQ(core::Labels.size(), 3u);
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"A", "D"}));
    EXPECT_EQ(page.lstLabels.ListIndex, 1) << "the entry at the last removed place, or the last";
    EXPECT_EQ(page.txtCLS.Text, "hh:mm");
    EXPECT_FALSE(core::LabelsRebuilding);
    d.Advance(1100);
    EXPECT_EQ(core::DisplayLabelCount, 2);

    Apply();
    EXPECT_EQ(Stored("Labels", keyB), "<none>");
    EXPECT_EQ(Stored("Labels", keyE), "<none>");
    EXPECT_EQ(Stored("ZTVLBL: C", "SpawnString"), "<none>");
    EXPECT_EQ(Stored("ZTVLBL: D", "SpawnString"), "hh:mm");

    // Deleting the first entry leaves nothing selected; No deletes nothing.
    ChooseLabel(0);
    d.AnswerNextMessageBoxes({IDNO, IDYES});
    ClickOn(page.cmdDelete);
    EXPECT_EQ(core::LabelCount, 2);
    ClickOn(page.cmdDelete);
    EXPECT_EQ(d.MessageBoxes().back().text, PageText("Delete Warning Message 1"));
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"D"}));
    EXPECT_EQ(page.lstLabels.ListIndex, -1);
    EXPECT_FALSE(page.txtX.Enabled);
    ClickOn(page.cmdDelete);
    EXPECT_EQ(d.MessageBoxes().back().text, PageText("Delete Error Message 1"));

    // The last label goes: the clock says it has none; a new first label is listed, not chosen.
    ChooseLabel(0);
    d.AnswerNextMessageBoxes({IDYES});
    ClickOn(page.cmdDelete);
    EXPECT_EQ(core::LabelCount, 0);
    EXPECT_EQ(core::Labels.size(), 1u);
    ClickOn(page.cmdDelete);
    EXPECT_EQ(d.MessageBoxes().back().text, PageText("Delete Error Message 2"));
    d.Advance(1100);
    EXPECT_EQ(core::frmMain().Label(0).Caption, core::LanguageFile.ReadText("General", "LBL ERR NL"));
    AddLabel("Solo");
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"Solo"}));
    EXPECT_EQ(page.lstLabels.ListIndex, -1);
    EXPECT_FALSE(page.txtX.Enabled);
    d.Advance(1100);
    const std::string solo = core::frmMain().Label(0).Caption;
    EXPECT_TRUE(solo.size() == 8 && solo.rfind("12:00:0", 0) == 0) << solo;
    EXPECT_TRUE(core::frmMain().Label(0).Visible);
}

// A double click on Delete: the second click comes while the first one's question waits, and
// reaches nothing. Yes to the one question deletes the chosen label only.
TEST_F(LabelPageOfFive, ADoubleClickOnDeleteAsksOnceAndDeletesOnlyTheChosenLabel) {
    OpenPage();
    auto& page = frmSetiLC();
    ChooseLabel(1);
    bool clickedAgain = false;
    d.WhileMessageBoxShown([&](const MessageBoxRequest&) {
        if (!std::exchange(clickedAgain, true)) ClickOn(page.cmdDelete);
    });
    d.AnswerNextMessageBoxes({IDYES, IDYES});
    ClickOn(page.cmdDelete);
    ASSERT_TRUE(clickedAgain);
    EXPECT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"A", "C", "D", "E"}));
    EXPECT_EQ(core::LabelCount, 4);
}

TEST_F(LabelPageOfFive, CancelAfterNewAndDeleteGivesTheClockItsLabelsBackAndLeavesTheFile) {
    OpenPage();
    const std::string file = d.ReadFile("Settings.ozrini");
    AddLabel("Seconds");
    ChooseLabel(0);
    d.AnswerNextMessageBoxes({IDYES});
    ClickOn(frmSetiLC().cmdDelete);
    ASSERT_EQ(core::LabelCount, 5);
    Cancel();
    EXPECT_FALSE(frmSeti().IsLoaded());
    EXPECT_EQ(core::LabelCount, 5);
    EXPECT_EQ(core::Labels[0].LabelName, "A");
    EXPECT_EQ(core::Labels[0].BaseX, 30);
    EXPECT_EQ(d.ReadFile("Settings.ozrini"), file);
    d.Advance(1100);
    EXPECT_EQ(core::DisplayLabelCount, 5);
    EXPECT_EQ(core::frmMain().Label(0).Caption, "12:00");
}

class LabelPageOfAClockAtTheCorner : public LabelPage {
public:
    LabelPageOfAClockAtTheCorner() : LabelPage(WithSettings(std::string(kHeader) + kLaterRun + "[Float Window]\nX=0\nY=0\n")) {}
};

// Cancel gives back the clock as it was before the settings window opened: the labels are laid
// out again, but the clock stays where it stood, its labels keep their alignment, and the engine
// finds nothing to save. The file holds no labels yet, so Cancel makes the two defaults again.
TEST_F(LabelPageOfAClockAtTheCorner, CancelLeavesTheClockAsItWasAndTheFileByteForByte) {
    const RECT clock = d.Rect(core::frmMain().hWnd);
    ASSERT_EQ(clock.left, 0);
    ASSERT_EQ(clock.top, 0);
    const int centred = core::frmMain().Label(0).Left;
    ASSERT_GT(centred, 15) << "the time is centred above the wider date";
    const std::string file = d.ReadFile("Settings.ozrini");
    for (bool addLabel : {true, false}) {
        OpenPage();
        if (addLabel) AddLabel("Seconds");
        d.Advance(1100);
        Cancel();
        d.Advance(3000);
        const RECT after = d.Rect(core::frmMain().hWnd);
        EXPECT_EQ(after.left, clock.left) << addLabel;
        EXPECT_EQ(after.top, clock.top) << addLabel;
        EXPECT_EQ(after.right - after.left, clock.right - clock.left) << addLabel;
        EXPECT_EQ(after.bottom - after.top, clock.bottom - clock.top) << addLabel;
        EXPECT_EQ(core::frmMain().Label(0).Left, centred) << addLabel;
        EXPECT_EQ(d.ReadFile("Settings.ozrini"), file) << addLabel;
    }
}

class LabelPageOnTheFakeLibrary : public LabelPage {
public:
    LabelPageOnTheFakeLibrary() : LabelPage(WithSettings(LabelsFile({{"A"}, {"B"}, {"C"}}), true)) {}
};

TEST_F(LabelPageOnTheFakeLibrary, PushesOneLabelAtATimeAndCancelSendsBackOnlyThosePushed) {
    desktop::FakeLibrary library;
    // The stand-in sends no label texts; the main window sets its slots up as the texts come.
    for (std::int16_t i = 0; i < 3; ++i) core::frmMain().SetLabelData(i, "text");
    OpenPage();
    auto& page = frmSetiLC();
    ChooseLabel(1);
    library.Clear();
    ClickOn(page.chVisible);
    EXPECT_EQ(library.Calls(), (std::vector<std::string>{"OZRSetClockLabelProperties 1 hh:mm 0"}));
    library.Clear();
    Cancel();
    std::vector<std::string> sent;
    for (const std::string& call : library.Calls())
        if (call.rfind("OZRSetClockLabelProperties", 0) == 0 || call.rfind("OZRSetClockLabelCount", 0) == 0)
            sent.push_back(call);
    EXPECT_EQ(sent, (std::vector<std::string>{"OZRSetClockLabelProperties 1 hh:mm 255"})) << "the saved label, shown";
    EXPECT_TRUE(core::Labels[1].Visible);
}

}  // namespace
