// The alarm manager page on the headless desktop with a prepared Alarms folder: its rows, the
// selection by mouse and keys, switching alarms, the commands and their refusals, the return from
// the wizard, and the settings window's OK and Cancel with the changes.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "alarm_file_writer.h"
#include "alarmmanager/frm_seti_ral.h"
#include "alarmmanager/frm_seti_ram.h"
#include "alarmwizard/frm_seti_rae1.h"
#include "core/alarm.h"
#include "core/date_routines.h"
#include "core/frm_main.h"
#include "core/frm_zinput.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "desktop_harness.h"
#include "fake_library.h"
#include "platform/draw/surface.h"
#include "platform/present/desktop_screen.h"
#include "platform/present/message_box_window.h"
#include "hooklib/ozrclock_exports.h"
#include "platform/forms/picture.h"
#include "platform/window/input.h"
#include "settings/frm_seti.h"
#include "settings/settings_pages.h"
#include "tests/support/recording_http.h"
#include "tests/support/recording_popup_help.h"
#include "tests/support/recording_sound_output.h"
#include "tests/support/while_modal.h"

using namespace platform;
using alarmmanager::frmSetiRAM;
using desktop::AlarmEntry;
using desktop::Desktop;
using settings::frmSeti;

namespace {

constexpr const char* kSection = "Alarm Settings Controls - SUB WINDOW ALARM MANAGEMENT";

AlarmEntry Entry(const std::string& key, const std::string& name, const std::string& flag, const std::string& fire,
                 std::map<std::string, std::string> more = {}) {
    std::map<std::string, std::string> v{{"FLAG", flag},     {"NAME", name},         {"FIRE", fire},
                                         {"OriginalDate", fire}, {"Title", "T " + key}, {"Text", "Text " + key}};
    for (auto& [k, val] : more) v[k] = val;
    return {key, v};
}

// On, off (its time past), passed, repeating by days, countdown by interval, countdown from a clock
// time, and one without a name. The clock starts at 2026-03-01 12:00:00.
std::vector<AlarmEntry> EveryKind() {
    return {
        Entry("A", "Wake", "1", "2026-03-02 07:00:00"),
        Entry("B", "Nap", "0", "2026-03-01 10:00:00"),
        Entry("C", "Done", "2", "2026-02-20 09:00:00"),
        Entry("D", "Daily", "1", "2026-02-01 18:00:00", {{"Flags", "1"}, {"RepeatDaily", "128"}}),
        Entry("E", "Interval", "1", "2026-03-01 11:00:00",
              {{"Flags", "11"}, {"RepeatInterval", "3600"}, {"OriginalCountdown", "3600"}}),
        Entry("F", "FromClock", "1", "2026-03-01 13:00:00",
              {{"Flags", "15"}, {"RepeatInterval", "7200"}, {"OriginalCountdown", "7200"}}),
        Entry("G", "", "1", "2026-03-03 07:00:00"),
    };
}

std::string Text(const char* key) { return core::LanguageFile.ReadText(kSection, key); }

bool SamePicture(const forms::Picture& shown, const std::string& path) {
    const forms::Picture expected = forms::LoadPicture(path);
    if (!shown || shown.PixelSize().cx != expected.PixelSize().cx || shown.PixelSize().cy != expected.PixelSize().cy)
        return false;
    const Surface &a = *shown.Pixels(), &b = *expected.Pixels();
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.row(y)[x] != b.row(y)[x]) return false;
    return true;
}

using testsupport::WhileModalWaits;
void QueueKey(int vk, unsigned int character = 0) {
    InjectKey(vk, true, character);
    InjectKey(vk, false);
}
void QueueText(const std::string& text) {
    for (char c : text) QueueKey(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : static_cast<unsigned char>(c), static_cast<unsigned char>(c));
}

class AlarmManagerPage : public testing::Test {
protected:
    void Start(std::vector<AlarmEntry> alarms, bool fakeLibrary = true) {
        d = std::make_unique<Desktop>(desktop::DesktopOptions{.prepare = [alarms, fakeLibrary](auto& f) {
            // The floating clock, above the settings window, in a corner where it covers none of the page.
            std::ofstream(f / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\n"
                                                    "RunCount=4\nSplash=0\n[Aspect]\nColorScheme=3\n"
                                                    "[Float Window]\nX=0\nY=0\n";
            if (fakeLibrary) desktop::InstallFakeLibrary(f);
            desktop::WriteAlarmFiles(f, alarms);
        }});
        ASSERT_TRUE(d->Start());
        d->Advance(100);
        ASSERT_TRUE(core::AlarmsLoaded);
    }
    void Open() {
        d->Key(VK_F3);
        d->Advance(50);
        ASSERT_TRUE(page.IsLoaded());
    }
    forms::FlexGrid& grid() { return page.flxAlarms; }
    POINT CellPoint(int row, int col) {
        const RECT g = d->Rect(grid().hWnd), c = grid().CellRect(row, col);
        return POINT{g.left + (c.left + c.right) / 2, g.top + (c.top + c.bottom) / 2};
    }
    POINT CentreOf(HWND h) { return desktop::CentreOf(d->Rect(h)); }
    void ClickRow(int row, int col = 2) {
        d->Click(CellPoint(row, col));
        d->Advance(20);
    }
    void Press(forms::CommandButton& button) {
        d->Click(CentreOf(button.hWnd));
        d->Advance(20);
    }
    std::vector<int> Selected() {
        std::vector<int> rows;
        for (int r = 1; r <= grid().Rows - 2; ++r)
            if (page.RowSelected(r)) rows.push_back(r);
        return rows;
    }
    // Every cell of the row in the Standard scheme's unselected back colour, as the screen shows it.
    bool RowInPageColours(int row) {
        d->Pump();
        const Surface& screen = ComposedScreen();
        for (int col = 0; col < 4; ++col) {
            const POINT p = CellPoint(row, col);
            if ((screen.row(p.y)[p.x] & 0xFFFFFFu) != 0xD4D0C8u) return false;
        }
        return true;
    }
    core::Alarm& AlarmOfRow(int row) { return core::Alarms[static_cast<std::size_t>(static_cast<LONG>(grid().RowData(row)))]; }
    std::string Name(int row) { return grid().TextMatrix(row, 2); }
    // The text of the error boxes shown from `first` on; each must be an error box of this page.
    std::vector<std::string> ErrorsSince(std::size_t first) {
        std::vector<std::string> texts;
        const std::string title = "OZR Ruriv - " + core::LanguageFile.ReadText("General", "MSGBOX Error");
        for (std::size_t i = first; i < d->MessageBoxes().size(); ++i) {
            EXPECT_EQ(d->MessageBoxes()[i].type, 4112u);
            EXPECT_EQ(d->MessageBoxes()[i].caption, title);
            texts.push_back(d->MessageBoxes()[i].text);
        }
        return texts;
    }
    // Renames the selection row's alarm through the popup menu's command, typing into the box.
    // Ring repeats every minute; Once and Pass ring once, at 12:01:10 and 12:01:20.
    void StartHeldBackAlarms() {
        Start({Entry("R", "Ring", "1", "2026-03-01 11:00:00", {{"Flags", "521"}, {"RepeatInterval", "60"}}),
               Entry("K", "Keep", "1", "2026-03-02 07:00:00"), Entry("L", "Later", "1", "2026-03-01 15:00:00"),
               Entry("O", "Once", "1", "2026-03-01 12:01:10"), Entry("P", "Pass", "1", "2026-03-01 12:01:20")});
        fakeLibrary = std::make_unique<desktop::FakeLibrary>();
    }
    int WindowsShown() const {
        int shown = 0;
        for (const std::string& call : fakeLibrary->Calls()) shown += call.rfind("OZRFireAlarm", 0) == 0;
        return shown;
    }
    // With the page open: Keep deleted, Later renamed Soon, Pass renamed Pea, then 81 s in which the
    // engine saves Ring's next firing. Gives the file as the engine saved it.
    std::string DeleteRenameAndLetThemRing() {
        Open();
        ClickRow(2);
        d->Key(VK_DELETE);  // Yes
        EXPECT_EQ(Name(2), "Later");
        Rename("Soon");
        EXPECT_EQ(Name(2), "Soon");
        ClickRow(4);
        Rename("Pea");
        EXPECT_EQ(Name(4), "Pea");
        const std::string ringBefore = desktop::AlarmSection(d->ReadFile("Alarms/MyAlarms.ozrini"), "R");
        fakeLibrary->Clear();
        d->Advance(81'000);
        const std::string saved = d->ReadFile("Alarms/MyAlarms.ozrini");
        EXPECT_NE(desktop::AlarmSection(saved, "R"), ringBefore) << "the engine saved";
        EXPECT_NE(desktop::AlarmSection(saved, "K").find("NAME=Keep\n"), std::string::npos) << "the deletion waits";
        EXPECT_NE(desktop::AlarmSection(saved, "L").find("NAME=Later\n"), std::string::npos) << "the new name waits";
        return saved;
    }
    void Rename(const std::string& typed) {
        WhileModalWaits([typed] {
            core::frmZInput().txtInput.Text = "";
            QueueText(typed);
            QueueKey(VK_RETURN, '\r');
        });
        std::uint8_t code = alarmmanager::kCommandRename;
        page.DispatchAlarmManagementCommand(code);
        d->Advance(20);
    }

    std::unique_ptr<Desktop> d;
    std::unique_ptr<desktop::FakeLibrary> fakeLibrary;  // after d, so it goes first
    alarmmanager::frmSetiRAMForm& page = frmSetiRAM();
};

TEST_F(AlarmManagerPage, F3ListsEveryNamedAlarmWithItsPicturesNameAndNextFiringThenTheSpareRow) {
    Start(EveryKind());
    Open();
    EXPECT_TRUE(core::AlarmManagerOpen);
    ASSERT_EQ(grid().Rows, 8);  // header, six alarms, the spare row
    EXPECT_EQ(grid().TextMatrix(0, 0)(), "Active");
    EXPECT_EQ(grid().TextMatrix(0, 2)(), Text("Name"));
    EXPECT_EQ(grid().TextMatrix(0, 3)(), Text("Activation"));
    const char* names[] = {"Wake", "Nap", "Done", "Daily", "Interval", "FromClock"};
    const char* status[] = {"On", "Off", "Passed", "Infinite", "Infinite", "Infinite"};
    const char* type[] = {"Clock", "Clock", "Clock", "Clock", "Countdown", "CountdownClock"};
    for (int r = 1; r <= 6; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(static_cast<LONG>(grid().RowData(r)), r - 1);
        EXPECT_EQ(Name(r), names[r - 1]);
        if (r < 6) {
            EXPECT_EQ(grid().TextMatrix(r, 3)(), core::FormatDateTimeString(AlarmOfRow(r).FIRE));
        }
        grid().Row = r;
        grid().Col = 0;
        EXPECT_TRUE(SamePicture(grid().CellPicture, std::string("\\GUI\\Settings\\WarlockAlarm") + status[r - 1] + ".gif"));
        EXPECT_EQ(grid().CellPictureAlignment, forms::flexAlignCenterCenter);
        grid().Col = 1;
        EXPECT_TRUE(SamePicture(grid().CellPicture, std::string("\\GUI\\Settings\\WarlockAlarmType") + type[r - 1] + ".gif"));
    }
    EXPECT_EQ(grid().TextMatrix(1, 3)(), "2026-03-02 07:00:00");
    EXPECT_EQ(grid().TextMatrix(4, 3)(), "2026-03-01 18:00:00");
    EXPECT_EQ(grid().TextMatrix(6, 3)(), "2026-03-01 17:00:00") << "its start, 15:00, lies ahead: its first firing";
    EXPECT_EQ(Name(7), "");
    EXPECT_EQ(grid().RowHeight(1), 510);
    EXPECT_EQ(grid().RowHeight(0), 300);
    EXPECT_EQ(std::string(page.cmdActivateAll.Caption), Text("DeActivateAll"));
    EXPECT_TRUE(Selected().empty());
    EXPECT_TRUE(d->MessageBoxes().empty());

    // Leaving the page closes it for the engine.
    frmSeti().ShowSubWindow(nullptr, false);
    EXPECT_FALSE(core::AlarmManagerOpen);
}

TEST_F(AlarmManagerPage, ClicksAndKeysSelectAsTheUserExpectsAndEnterOnTheAnchorModifiesIt) {
    Start(EveryKind());
    Open();
    ClickRow(2);
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    grid().Row = 2;
    EXPECT_EQ(grid().CellBackColor, 0x98A0A4u) << "the Standard scheme's selection colour";
    grid().Row = 3;
    EXPECT_EQ(grid().CellBackColor, 0xC8D0D4u);
    grid().Row = 2;
    EXPECT_TRUE(page.cmdActivate.Enabled) << "Nap is off";
    EXPECT_FALSE(page.cmdDeactivate.Enabled);

    d->KeyWithModifier(VK_CONTROL, VK_DOWN);  // toggles the row below in
    EXPECT_EQ(Selected(), (std::vector<int>{2, 3}));
    d->KeyWithModifier(VK_CONTROL, VK_DOWN);
    EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 4}));
    d->KeyWithModifier(VK_CONTROL, VK_UP);  // and out again
    EXPECT_EQ(Selected(), (std::vector<int>{2, 4}));
    d->Key(VK_DOWN);  // a plain key after a toggle clears the rest
    EXPECT_EQ(Selected(), (std::vector<int>{4}));
    d->KeyWithModifier(VK_MENU, VK_DOWN);
    d->KeyWithModifier(VK_MENU, VK_DOWN);
    EXPECT_EQ(Selected(), (std::vector<int>{4, 5, 6}));
    ClickRow(1);  // a plain click after a range
    EXPECT_EQ(Selected(), (std::vector<int>{1}));
    d->Key(VK_UP);  // nothing above the first alarm
    EXPECT_EQ(Selected(), (std::vector<int>{1}));
    d->Key(VK_END);
    EXPECT_EQ(Selected(), (std::vector<int>{6}));
    d->Key(VK_DOWN);  // nothing below the last alarm; the spare row never becomes current
    EXPECT_EQ(Selected(), (std::vector<int>{6}));
    EXPECT_EQ(grid().Row, 6);
    d->Key(VK_HOME);
    EXPECT_EQ(Selected(), (std::vector<int>{1}));
    EXPECT_EQ(grid().Row, 1);
    // Up and Down make their row current: the buttons follow its alarm (Nap off, Done passed).
    const std::pair<bool, bool> off{true, false}, notOff{false, true};
    auto buttons = [&] { return std::pair<bool, bool>{page.cmdActivate.Enabled, page.cmdDeactivate.Enabled}; };
    d->Key(VK_DOWN);
    EXPECT_EQ(grid().Row, 2);
    EXPECT_EQ(buttons(), off);
    d->Key(VK_DOWN);
    EXPECT_EQ(buttons(), notOff);
    d->Key(VK_UP);
    EXPECT_EQ(buttons(), off);
    d->Key(VK_DOWN);
    EXPECT_EQ(Selected(), (std::vector<int>{3}));
    EXPECT_EQ(grid().Row, 3);
    ClickRow(3);  // the anchor again
    EXPECT_EQ(Selected(), (std::vector<int>{3}));
    ClickRow(7);  // the spare row selects nothing
    EXPECT_EQ(Selected(), (std::vector<int>{3}));
    EXPECT_EQ(page.SelectionAnchor(), 3);

    ClickRow(3);
    d->Key(VK_RETURN, '\r');
    d->Advance(20);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE1");
    EXPECT_FALSE(page.IsLoaded());
    EXPECT_EQ(core::AlarmEditProgress, 11);
    EXPECT_EQ(core::EditedAlarmIndex, 2);
    EXPECT_EQ(core::AlarmUnderEdit.NAME, "Done");
    EXPECT_EQ(core::WarlockAnimFrame, 1);
    EXPECT_FALSE(core::WarlockAnimReverse);
}

TEST_F(AlarmManagerPage, LeftDoubleClickAndTheButtonsSwitchAlarmsAndAPastOneTimeAlarmBecomesPassed) {
    Start(EveryKind());
    Open();
    ClickRow(2);  // Nap: off, its time past
    d->Key(VK_LEFT);
    EXPECT_EQ(AlarmOfRow(2).FLAG, core::kAlarmPassed);
    EXPECT_TRUE(AlarmOfRow(2).AlarmState & core::kAlarmHeldBack);
    EXPECT_TRUE(core::AlarmsChanged);
    grid().Row = 2;
    grid().Col = 0;
    EXPECT_TRUE(SamePicture(grid().CellPicture, "\\GUI\\Settings\\WarlockAlarmPassed.gif"));
    d->Key(VK_LEFT);
    EXPECT_EQ(AlarmOfRow(2).FLAG, core::kAlarmOff);

    // A double click on the Active column toggles; elsewhere it would modify.
    d->DoubleClick(CellPoint(1, 0));
    d->Advance(20);
    EXPECT_EQ(AlarmOfRow(1).FLAG, core::kAlarmOff);
    d->DoubleClick(CellPoint(1, 0));
    d->Advance(20);
    EXPECT_EQ(AlarmOfRow(1).FLAG, core::kAlarmOn) << "Wake's time lies ahead";
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAM");

    // A right click makes its row current: the buttons follow that row's alarm (Nap, off).
    WhileModalWaits([] { QueueKey(VK_ESCAPE); });
    d->Click(CellPoint(2, 2), MouseButton::Right);
    d->Advance(200);
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    EXPECT_TRUE(page.cmdActivate.Enabled);
    EXPECT_FALSE(page.cmdDeactivate.Enabled);

    // Activate leaves a passed alarm passed; Deactivate switches it off; Activate makes it passed again.
    ClickRow(3);
    EXPECT_FALSE(page.cmdActivate.Enabled);
    Press(page.cmdActivate);  // disabled: nothing
    Press(page.cmdDeactivate);
    EXPECT_EQ(AlarmOfRow(3).FLAG, core::kAlarmOff);
    EXPECT_TRUE(page.cmdActivate.Enabled);
    Press(page.cmdActivate);
    EXPECT_EQ(AlarmOfRow(3).FLAG, core::kAlarmPassed);

    // All off while any is on; then all on.
    EXPECT_EQ(std::string(page.cmdActivateAll.Caption), Text("DeActivateAll"));
    Press(page.cmdActivateAll);
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(AlarmOfRow(r).FLAG, core::kAlarmOff) << r;
    EXPECT_EQ(std::string(page.cmdActivateAll.Caption), Text("ActivateAll")) << "the unnamed alarm, never shown, does not count";
    Press(page.cmdActivateAll);
    const std::uint8_t expected[] = {1, 2, 2, 1, 1, 1};
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(AlarmOfRow(r).FLAG, expected[r - 1]) << r;
    EXPECT_TRUE(d->MessageBoxes().empty());
}

TEST_F(AlarmManagerPage, RefusedCommandsShowTheirOwnBoxAndChangeNothing) {
    Start(EveryKind());
    Open();
    const std::vector<core::Alarm> before = core::Alarms;
    Press(page.cmdModify);
    Press(page.cmdTest);
    Press(page.cmdDelete);
    EXPECT_FALSE(page.cmdActivate.Enabled) << "the current row's alarm is on";
    Press(page.cmdDeactivate);
    ClickRow(1);
    d->KeyWithModifier(VK_CONTROL, VK_DOWN);
    Press(page.cmdModify);
    Press(page.cmdTest);
    EXPECT_EQ(ErrorsSince(0), (std::vector<std::string>{Text("Edit Alarm Error 1"), Text("Test Alarm Error 1"),
                                                         Text("Delete Alarm Error 1"), Text("DeActivate Alarm Error 1"),
                                                         Text("Edit Alarm Error 3"),
                                                         Text("Test Alarm Error 3")}));
    EXPECT_EQ(core::Alarms, before);
    EXPECT_FALSE(core::AlarmsChanged);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAM");

    // A rename into nothing, or into another alarm's name, keeps the name; a deleted alarm's
    // name is free.
    ClickRow(1);
    const std::size_t boxes = d->MessageBoxes().size();
    Rename("[ ]");
    Rename("Nap");
    EXPECT_EQ(ErrorsSince(boxes), (std::vector<std::string>{Text("Rename Alarm Error 1"), Text("Rename Alarm Error 2")}));
    EXPECT_EQ(Name(1), "Wake");
    EXPECT_FALSE(core::AlarmsChanged);
    core::Alarms[1].AlarmState = core::kAlarmDeleted;
    Rename("Nap");
    EXPECT_EQ(core::Alarms[0].NAME, "Nap");
}

// A double click on Delete: its second click comes while the first click's question waits. The
// page takes no click and no key meanwhile, so one question is asked and one alarm deleted; once
// it is answered, the page takes clicks again.
TEST_F(AlarmManagerPage, WhileAQuestionWaitsThePageTakesNoClickAndNoKey) {
    Start(EveryKind());
    Open();
    ClickRow(1);
    bool pressedAgain = false;
    d->WhileMessageBoxShown([&](const MessageBoxRequest&) {
        if (std::exchange(pressedAgain, true)) return;
        d->Click(CentreOf(page.cmdDelete.hWnd));
        d->Key(VK_DELETE);
        ClickRow(2);
    });
    d->AnswerNextMessageBoxes({IDYES, IDYES, IDYES});
    Press(page.cmdDelete);
    ASSERT_TRUE(pressedAgain);
    EXPECT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_EQ(core::Alarms[0].AlarmState, core::kAlarmDeleted | core::kAlarmHeldBack);
    EXPECT_FALSE(core::Alarms[1].AlarmState & core::kAlarmDeleted);
    EXPECT_EQ(Selected(), (std::vector<int>{1}));
    d->AnswerNextMessageBoxes({IDNO});
    Press(page.cmdDelete);
    EXPECT_EQ(d->MessageBoxes().size(), 2u);
}

// Enter held for two seconds on the delete question, asked by the button or by the grid's Delete
// key, answers it once in the question's own window: one alarm goes each time, and the repeats
// neither press Delete again nor open the wizard from the grid.
TEST_F(AlarmManagerPage, EnterHeldOnTheDeleteQuestionDeletesTheSelectedAlarmOnly) {
    std::vector<AlarmEntry> eight;
    for (char key = 'A'; key < 'I'; ++key) eight.push_back(Entry(std::string(1, key), std::string("Alarm ") + key, "1", "2026-03-02 07:00:00"));
    Start(eight);
    Open();
    d->WhileMessageBoxShown([this](const MessageBoxRequest& r) { d->AnswerNextMessageBoxes({ShowMessageBoxWindow(r)}); });
    auto holdEnter = [] {
        for (int i = 0; i < 42; ++i) InjectKey(VK_RETURN, true, '\r');  // the press, then a repeat every 33 ms
        InjectKey(VK_RETURN, false);
    };
    ClickRow(3);
    const POINT onDelete = CentreOf(page.cmdDelete.hWnd);
    InjectMouseButton(onDelete, MouseButton::Left, true);
    InjectMouseButton(onDelete, MouseButton::Left, false);
    holdEnter();
    d->Advance(50);
    ClickRow(5);
    QueueKey(VK_DELETE);
    holdEnter();
    d->Advance(50);
    EXPECT_EQ(d->MessageBoxes().size(), 2u);
    ASSERT_TRUE(page.IsLoaded()) << "the wizard did not open";
    EXPECT_EQ(grid().Rows, 8);
    Press(frmSeti().cmdOkN);
    const std::string file = d->ReadFile("Alarms/MyAlarms.ozrini");
    for (const char* key : {"A", "B", "D", "E", "G", "H"}) EXPECT_NE(desktop::AlarmSection(file, key), "") << key;
    EXPECT_EQ(desktop::AlarmSection(file, "C"), "");
    EXPECT_EQ(desktop::AlarmSection(file, "F"), "");
}

TEST_F(AlarmManagerPage, AnEmptyListRefusesWithTheNoAlarmErrors) {
    Start({});
    Open();
    EXPECT_EQ(grid().Rows, 2);
    ClickRow(1);  // the spare row: the grid has the keys, and nothing is selected
    d->Key(VK_HOME);
    d->Key(VK_END);
    EXPECT_TRUE(RowInPageColours(1));
    Press(page.cmdModify);
    Press(page.cmdDelete);
    Press(page.cmdTest);
    Press(page.cmdActivateAll);
    EXPECT_EQ(ErrorsSince(0), (std::vector<std::string>{Text("Edit Alarm Error 2"), Text("Delete Alarm Error 2"),
                                                         Text("Test Alarm Error 2"), Text("DeActivate Alarm Error 2")}));
    EXPECT_TRUE(Selected().empty());
}

TEST_F(AlarmManagerPage, BeforeTheAlarmsAreLoadedThePageSaysSoAndItsEightButtonsAreDisabled) {
    Start(EveryKind());
    core::AlarmsLoaded = false;  // as while the first download is under way
    core::DownloadFinished = false;
    core::frmMain().tmrLoadAlarms.Enabled = true;
    Open();
    EXPECT_EQ(ErrorsSince(0), (std::vector<std::string>{Text("Error Not Loaded Yet")}));
    EXPECT_EQ(grid().Rows, 2);
    EXPECT_TRUE(RowInPageColours(1));
    for (forms::CommandButton* b : {&page.cmdNew, &page.cmdModify, &page.cmdDelete, &page.cmdTest, &page.cmdActivate,
                                    &page.cmdDeactivate, &page.cmdActivateAll, &page.cmdSort})
        EXPECT_FALSE(b->Enabled) << b->Name();
    std::uint8_t code = alarmmanager::kCommandDelete;
    page.DispatchAlarmManagementCommand(code);
    EXPECT_EQ(d->MessageBoxes().size(), 1u);
}

// Alarm files that cannot be read: the page says so (and that the download found nothing to take
// their place, when it failed), not that they are still being fetched, and the files stay as they are.
TEST_F(AlarmManagerPage, UnreadableAlarmFilesAreToldAndKeptAsTheyAre) {
    d = std::make_unique<Desktop>(desktop::DesktopOptions{.prepare = [](auto& f) {
        std::ofstream(f / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\n"
                                                "RunCount=4\nSplash=0\n[Float Window]\nX=0\nY=0\n";
        desktop::WriteAlarmFiles(f, EveryKind());
        std::filesystem::remove(f / "Alarms/!AlarmMaster.ozrini");
    }});
    ASSERT_TRUE(d->Start());
    const std::string file = d->ReadFile("Alarms/MyAlarms.ozrini");
    d->Advance(100);
    ASSERT_EQ(d->MessageBoxes().size(), 1u) << "the load's own box";
    Open();
    EXPECT_EQ(ErrorsSince(1), (std::vector<std::string>{Text("Error Not Loaded Unreadable")}));
    EXPECT_FALSE(page.cmdNew.Enabled);
    core::DownloadFailures = 1;
    frmSeti().ShowSubWindow(settings::PageNamed("frmSetiAS"), true);
    frmSeti().ShowSubWindow(&page, true);
    d->Advance(20);
    EXPECT_EQ(ErrorsSince(2), (std::vector<std::string>{Text("Error Not Loaded Offline")}));
    Press(frmSeti().cmdOkN);
    EXPECT_EQ(d->ReadFile("Alarms/MyAlarms.ozrini"), file);
    EXPECT_FALSE(d->FileExists("Alarms/!AlarmMaster.ozrini"));
}

TEST_F(AlarmManagerPage, DeleteRenameAndSortThenOkWriteTheAlarmFileInTheNewStateAndOrder) {
    Start(EveryKind());
    Open();
    ClickRow(1);
    d->KeyWithModifier(VK_MENU, VK_DOWN);
    d->KeyWithModifier(VK_MENU, VK_DOWN);
    ASSERT_EQ(Selected(), (std::vector<int>{1, 2, 3}));
    d->Key(VK_DELETE);
    ASSERT_EQ(d->MessageBoxes().size(), 1u) << "asked once for three rows";
    EXPECT_EQ(d->MessageBoxes()[0].type, 4132u);
    EXPECT_EQ(d->MessageBoxes()[0].text, Text("Delete Alarm Warning"));
    ASSERT_EQ(grid().Rows, 5);
    EXPECT_EQ(Name(1), "Daily");
    EXPECT_EQ(core::Alarms[0].AlarmState, core::kAlarmDeleted | core::kAlarmHeldBack);
    EXPECT_EQ(core::Alarms[2].FLAG, core::kAlarmOff);
    EXPECT_EQ(Selected(), (std::vector<int>{3})) << "the row now in the anchor's place";

    Rename("  [Tea]  ");
    EXPECT_EQ(Name(3), "Tea");
    EXPECT_EQ(core::Alarms[5].NAME, "Tea");

    // Sort: Interval (its next firing within the hour) comes before Tea at 13:00 and Daily at 18:00.
    const std::string interval = core::FormatDateTimeString(core::Alarms[4].FIRE);
    d->AnswerNextMessageBoxes({IDYES});
    Press(page.cmdSort);
    EXPECT_EQ(d->MessageBoxes().back().text, Text("Warning Sort"));
    EXPECT_TRUE(core::AlarmOrderChanged);
    EXPECT_GT(core::RescanCounter, 1800) << "the engine rebuilds its imminent list";
    ASSERT_EQ(grid().Rows, 5);
    EXPECT_EQ(Name(1), "Interval");
    EXPECT_EQ(grid().TextMatrix(1, 3)(), interval);
    EXPECT_EQ(Name(2), "Tea");
    EXPECT_EQ(Name(3), "Daily");
    EXPECT_TRUE(Selected().empty());

    Press(frmSeti().cmdOkN);
    EXPECT_FALSE(frmSeti().IsLoaded());
    const std::string file = d->ReadFile("Alarms/MyAlarms.ozrini");
    for (const char* gone : {"A", "B", "C"}) EXPECT_EQ(desktop::AlarmSection(file, gone), "") << gone;
    EXPECT_NE(desktop::AlarmSection(file, "F").find("NAME=Tea"), std::string::npos);
    const std::size_t e = file.find("[ZTVALR: E]"), f = file.find("[ZTVALR: F]"), dd = file.find("[ZTVALR: D]");
    EXPECT_LT(e, f);
    EXPECT_LT(f, dd);
    EXPECT_FALSE(core::AlarmsChanged);
}

TEST_F(AlarmManagerPage, CancelAsksAndYesDropsTheChangesLeavingTheFileAsItWas) {
    Start(EveryKind());
    const std::string file = d->ReadFile("Alarms/MyAlarms.ozrini");
    Open();
    ClickRow(1);
    d->Key(VK_LEFT);
    ASSERT_EQ(core::Alarms[0].FLAG, core::kAlarmOff);
    d->AnswerNextMessageBoxes({IDNO});
    Press(frmSeti().cmdCancelN);
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_EQ(d->MessageBoxes()[0].text, core::LanguageFile.ReadText("Program Settings Controls", "Alarm Cancel Warning"));
    EXPECT_TRUE(frmSeti().IsLoaded()) << "No keeps the window and the change";
    EXPECT_EQ(core::Alarms[0].FLAG, core::kAlarmOff);
    Press(frmSeti().cmdCancelN);  // Yes by default
    EXPECT_FALSE(frmSeti().IsLoaded());
    EXPECT_EQ(d->ReadFile("Alarms/MyAlarms.ozrini"), file);
    EXPECT_EQ(core::Alarms[0].FLAG, core::kAlarmOn);
}

// Delete and Rename wait for Apply like the switches: an alarm that fires meanwhile makes the
// engine save the alarm files, and that save must not write them, or Cancel could not drop them.
// What the engine did meanwhile is not the user's change: Cancel keeps it, so a one-time alarm
// that rang while the window was open (on its own, or renamed and so held back) stays passed and
// does not ring again.
TEST_F(AlarmManagerPage, DeleteAndRenameAreHeldBackFromTheEnginesSaveSoCancelDropsThemAndOkWritesThem) {
    StartHeldBackAlarms();
    for (bool cancel : {true, false}) {
        const std::string saved = DeleteRenameAndLetThemRing();
        EXPECT_EQ(WindowsShown(), cancel ? 2 : 0) << "Once and Pea rang";
        Press(cancel ? frmSeti().cmdCancelN : frmSeti().cmdOkN);  // Cancel: Yes to its warning
        ASSERT_FALSE(frmSeti().IsLoaded());
        const std::string after = d->ReadFile("Alarms/MyAlarms.ozrini");
        if (cancel) {
            EXPECT_EQ(desktop::AlarmSection(after, "R"), desktop::AlarmSection(saved, "R"));
            EXPECT_NE(desktop::AlarmSection(after, "K").find("FLAG=1\nNAME=Keep\n"), std::string::npos);
            EXPECT_NE(desktop::AlarmSection(after, "L").find("FLAG=1\nNAME=Later\n"), std::string::npos);
            ASSERT_EQ(core::Alarms.size(), 5u);
            EXPECT_EQ(core::Alarms[1].NAME, "Keep");
            EXPECT_EQ(core::Alarms[2].NAME, "Later");
            EXPECT_EQ(core::Alarms[4].NAME, "Pass");
            for (std::size_t i : {3u, 4u}) EXPECT_EQ(core::Alarms[i].FLAG, core::kAlarmPassed) << i;
            EXPECT_NE(desktop::AlarmSection(after, "O").find("FLAG=2\n"), std::string::npos);
            EXPECT_NE(desktop::AlarmSection(after, "P").find("FLAG=2\nNAME=Pass\n"), std::string::npos);
            fakeLibrary->Clear();
            d->Advance(3'000);
            EXPECT_EQ(WindowsShown(), 0) << "no alarm rings twice";
        } else {
            EXPECT_EQ(desktop::AlarmSection(after, "K"), "");
            EXPECT_NE(desktop::AlarmSection(after, "L").find("NAME=Soon\n"), std::string::npos);
            EXPECT_NE(desktop::AlarmSection(after, "P").find("FLAG=2\nNAME=Pea\n"), std::string::npos);
        }
    }
}

TEST_F(AlarmManagerPage, AQuitWithTheWindowOpenKeepsWhatRangButNotTheHeldBackChanges) {
    StartHeldBackAlarms();
    DeleteRenameAndLetThemRing();
    SendMessage(core::frmMain().hWnd, hooklib::WM_CLOCKNOTIFY, hooklib::CN_EXIT, 0);
    d->Advance(20);
    ASSERT_TRUE(d->Ended());
    const std::string after = d->ReadFile("Alarms/MyAlarms.ozrini");
    EXPECT_NE(desktop::AlarmSection(after, "O").find("FLAG=2\n"), std::string::npos) << "it would ring again at the next start";
    EXPECT_NE(desktop::AlarmSection(after, "P").find("FLAG=2\nNAME=Pass\n"), std::string::npos);
    EXPECT_NE(desktop::AlarmSection(after, "K").find("FLAG=1\nNAME=Keep\n"), std::string::npos);
    EXPECT_NE(desktop::AlarmSection(after, "L").find("FLAG=1\nNAME=Later\n"), std::string::npos);
}

TEST_F(AlarmManagerPage, AnAlarmFiringWhileThePageIsOpenUpdatesItsRow) {
    Start({Entry("S", "Soon", "1", "2026-03-01 12:00:30"), Entry("L", "Later", "1", "2026-03-01 15:00:00")});
    Open();
    desktop::FakeLibrary lib;
    lib.Clear();
    d->Advance(31'000);
    EXPECT_EQ(core::Alarms[0].FLAG, core::kAlarmPassed);
    // The clock's countdown goes on to the next alarm, not to the one that passed.
    std::string told;
    for (const std::string& call : lib.Calls())
        if (call.rfind("OZRNextAlarmFiringTime", 0) == 0) told = call;
    EXPECT_EQ(told, "OZRNextAlarmFiringTime 10770");
    grid().Row = 1;
    grid().Col = 0;
    EXPECT_TRUE(SamePicture(grid().CellPicture, "\\GUI\\Settings\\WarlockAlarmPassed.gif"));
    grid().Row = 2;
    EXPECT_TRUE(SamePicture(grid().CellPicture, "\\GUI\\Settings\\WarlockAlarmOn.gif"));
}

// An online restore that lands while the settings window shows the list (the 65-s retry): the page
// shows the new list with the user's unapplied changes on top of it, each on its own alarm and
// still selected whatever its new row; an edit in the wizard is saved over its own alarm, and one
// whose alarm the new list no longer holds ends with a message. Nothing lands on another alarm.
TEST_F(AlarmManagerPage, ARestoreUnderTheOpenPageKeepsTheUsersChangesOnTheirOwnAlarms) {
    const AlarmEntry wake = Entry("A", "Wake", "1", "2026-03-02 07:00:00"), nap = Entry("B", "Nap", "1", "2026-03-02 10:00:00"),
                     tea = Entry("C", "Tea", "1", "2026-03-02 16:00:00"), gym = Entry("D", "Gym", "1", "2026-03-02 18:00:00"),
                     remote = Entry("X", "Remote", "1", "2026-03-03 08:00:00");
    Start({wake, nap, tea, gym});
    core::Settings.Username = "ann";
    auto restore = [this](const std::vector<AlarmEntry>& list) {
        d->Http()->answer = [body = "2026-03-01 12:00:00\r\n" + desktop::CollectionText(list)](const HttpRequest&) {
            return testsupport::RecordingHttp::Body(body);
        };
        core::frmMain().DownloadAlarms(true);
        d->Advance(20);
    };
    auto names = [this] {
        std::vector<std::string> shown;
        for (int r = 1; r <= grid().Rows - 2; ++r) shown.push_back(Name(r) + (AlarmOfRow(r).NAME == Name(r) ? "" : "?"));
        return shown;
    };
    Open();
    ClickRow(2);
    d->Key(VK_DELETE);  // Yes
    ClickRow(2);
    Rename("Chai");
    restore({remote, gym, tea, nap, wake});
    EXPECT_EQ(names(), (std::vector<std::string>{"Remote", "Gym", "Chai", "Wake"}));
    EXPECT_EQ(Selected(), (std::vector<int>{3}));
    const std::size_t asked = d->MessageBoxes().size();

    ClickRow(2);
    Press(page.cmdModify);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAE1");
    restore({gym, Entry("Y", "Yoga", "1", "2026-03-03 09:00:00"), wake});
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE1") << "its alarm is still there";
    Press(alarmwizard::frmSetiRAE1().cmdSave);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAM");
    EXPECT_EQ(names(), (std::vector<std::string>{"Gym", "Yoga", "Wake", "Chai"}));
    EXPECT_EQ(core::Alarms[0].AlarmState & core::kAlarmHeldBack, core::kAlarmHeldBack) << "the edit is on Gym";
    EXPECT_EQ(core::Alarms[1].AlarmState & core::kAlarmHeldBack, 0) << "and on nothing else";
    EXPECT_EQ(d->MessageBoxes().size(), asked);

    ClickRow(3);
    Press(page.cmdModify);
    restore({gym});
    ASSERT_EQ(ErrorsSince(asked), (std::vector<std::string>{Text("Edit Alarm Error 4")}));
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAM");
    EXPECT_EQ(names(), (std::vector<std::string>{"Gym", "Chai"}));
    Press(frmSeti().cmdOkN);
    const std::string file = d->ReadFile("Alarms/MyAlarms.ozrini");
    EXPECT_NE(desktop::AlarmSection(file, "C").find("NAME=Chai\n"), std::string::npos);
    for (const char* gone : {"A", "B", "X", "Y"}) EXPECT_EQ(desktop::AlarmSection(file, gone), "") << gone;
}

// The main window's reports, seen through a subclass that passes everything on.
std::vector<std::pair<WPARAM, LPARAM>> g_reports;
LONG g_previous = 0;
LRESULT RecordReports(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == hooklib::WM_CLOCKNOTIFY) g_reports.emplace_back(wParam, lParam);
    return CallWindowProc(g_previous, hwnd, msg, wParam, lParam);
}

TEST_F(AlarmManagerPage, TestShowsTheStoredAlarmsWindowWithoutSoundAndItsCloseReportsTheIndex) {
    std::vector<AlarmEntry> alarms = EveryKind();
    alarms[3].values["Sound"] = "\\Alarms\\Sounds\\Default Alarm.wav";
    alarms[3].values["Flags"] = "609";  // windowless: Test shows the window all the same
    Start(alarms, false);
    auto& sound = testsupport::UseRecordingSoundOutput();
    HWND main = core::frmMain().hWnd;
    g_reports.clear();
    g_previous = SetWindowLong(main, GWL_WNDPROC, AddressOf(RecordReports));
    Open();
    ClickRow(4);
    Press(page.cmdTest);
    d->Advance(500);
    HWND window = d->FindByTitle("T D");
    ASSERT_TRUE(window);
    EXPECT_TRUE(sound.Plays().empty());
    PostMessage(window, WM_CLOSE, 0, 0);  // the desktop's close button
    d->Advance(1000);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0].first, static_cast<WPARAM>(hooklib::CN_ALARMWINDOWCLOSED));
    EXPECT_EQ(g_reports[0].second, 3);
    SetWindowLong(main, GWL_WNDPROC, g_previous);
    EXPECT_FALSE(core::AlarmsChanged);
}

TEST_F(AlarmManagerPage, TheWizardsReturnAddsANewAlarmOrReselectsTheEditedOneByItsKey) {
    Start(EveryKind());
    Open();
    // Back from the wizard with a new alarm: it gets a key, a row at the end, and the selection.
    core::StartNewAlarm();
    core::AlarmUnderEdit.NAME = "Fresh";
    core::AlarmUnderEdit.FLAG = core::kAlarmOn;
    core::AlarmUnderEdit.FIRE = core::AlarmUnderEdit.OriginalDate = core::ParseDateTimeString("2026-03-04 06:30:00");
    core::AlarmEditProgress = 2;
    frmSeti().ShowSubWindow(&page, true);
    EXPECT_EQ(core::AlarmEditProgress, 0);
    ASSERT_EQ(grid().Rows, 9);
    EXPECT_EQ(Name(7), "Fresh");
    EXPECT_EQ(grid().TextMatrix(7, 3)(), "2026-03-04 06:30:00");
    EXPECT_EQ(Selected(), (std::vector<int>{7}));
    const core::Alarm& fresh = core::Alarms.back();
    EXPECT_EQ(fresh.CollectionFile, "MyAlarms.ozrini");
    EXPECT_FALSE(fresh.AlarmKey.empty());
    EXPECT_EQ(fresh.AlarmKey, core::AlarmUnderEdit.AlarmKey);

    // Back with an edited alarm after a sort changed the rows: found by its key.
    d->AnswerNextMessageBoxes({IDYES});
    Press(page.cmdSort);
    core::AlarmUnderEdit = core::Alarms[0];
    for (const core::Alarm& a : core::Alarms)
        if (a.NAME == "Daily") core::AlarmUnderEdit = a;
    core::AlarmEditProgress = 3;
    frmSeti().ShowSubWindow(&page, true);
    EXPECT_EQ(core::AlarmEditProgress, 0);
    ASSERT_EQ(Selected().size(), 1u);
    EXPECT_EQ(Name(Selected()[0]), "Daily");

    // A cancelled wizard leaves its progress and adds nothing.
    core::AlarmEditProgress = 5;
    frmSeti().ShowSubWindow(&page, true);
    EXPECT_EQ(core::AlarmEditProgress, 5);
    EXPECT_EQ(grid().Rows, 9);
    EXPECT_TRUE(Selected().empty());
}

TEST_F(AlarmManagerPage, NewStartsAFreshAlarmAtTheWizardsFirstStep) {
    Start(EveryKind());
    Open();
    core::WarlockAnimReverse = true;
    core::AlarmUnderEdit.NAME = "left over";
    Press(page.cmdNew);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE1");
    EXPECT_EQ(core::AlarmEditProgress, 1);
    EXPECT_EQ(core::AlarmUnderEdit.NAME, "");
    EXPECT_EQ(core::AlarmUnderEdit.Flags, 96);
    EXPECT_EQ(core::AlarmUnderEdit.WindowProperties, 70);
    EXPECT_FALSE(core::WarlockAnimReverse);
}

TEST_F(AlarmManagerPage, ARightClickInAScrolledGridMenusTheRowUnderThePointer) {
    std::vector<AlarmEntry> many;
    for (int i = 0; i < 14; ++i) {
        char fire[32];
        std::snprintf(fire, sizeof fire, "2026-03-%02d 08:00:00", i + 2);
        many.push_back(Entry("K" + std::to_string(i), "Alarm " + std::to_string(i), "1", fire));
    }
    Start(many);
    Open();
    // Quick clicks on the scroll bar's arrow scroll; they neither select nor modify a row.
    const RECT g = d->Rect(grid().hWnd);
    d->DoubleClick(POINT{g.right - 8, g.bottom - 8});
    d->Advance(20);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAM");
    EXPECT_TRUE(Selected().empty());
    grid().TopRow = 9;
    d->Advance(20);
    const RECT shownCell = grid().CellRect(12, 2);
    ASSERT_FALSE(shownCell.empty());
    WhileModalWaits([] { QueueKey('E', 'e'); });  // D&elete
    d->AnswerNextMessageBoxes({IDYES});
    d->Click(CellPoint(12, 2), MouseButton::Right);
    d->Advance(200);
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(core::Alarms[static_cast<std::size_t>(i)].AlarmState, i == 11 ? core::kAlarmDeleted | core::kAlarmHeldBack : 0) << i;

    // The header opens no menu.
    d->Click(CellPoint(0, 2), MouseButton::Right);
    d->Advance(50);
    EXPECT_EQ(d->MessageBoxes().size(), 1u);

    // Up and Down keep the row they select in view.
    d->Key(VK_HOME);
    for (int i = 0; i < 12; ++i) d->Key(VK_DOWN);
    EXPECT_EQ(Selected(), (std::vector<int>{13}));
    EXPECT_TRUE(grid().RowIsVisible(13));
    for (int i = 0; i < 12; ++i) d->Key(VK_UP);
    EXPECT_EQ(Selected(), (std::vector<int>{1}));
    EXPECT_TRUE(grid().RowIsVisible(1));
}

TEST_F(AlarmManagerPage, RowsBelowTheViewShowTheirAlarmsAsTheyAreWhenScrolledTo) {
    std::vector<AlarmEntry> many;
    for (int i = 0; i < 14; ++i) many.push_back(Entry("K" + std::to_string(i), "Alarm " + std::to_string(i), "1", "2026-03-02 08:00:00"));
    Start(many);
    Open();
    ASSERT_TRUE(grid().RowWaiting(14)) << "not shown yet";
    Press(page.cmdActivateAll);
    grid().TopRow = 9;
    d->Advance(20);
    EXPECT_FALSE(grid().RowWaiting(14)) << "painted";
    EXPECT_EQ(Name(14), "Alarm 13");
    EXPECT_EQ(grid().TextMatrix(14, 3)(), "2026-03-02 08:00:00");
    grid().Row = 14;
    grid().Col = 0;
    EXPECT_TRUE(SamePicture(grid().CellPicture, "\\GUI\\Settings\\WarlockAlarmOff.gif")) << "switched off while it waited";
}

TEST_F(AlarmManagerPage, TheGridAndEveryButtonRaiseTheirOwnPopupHelp) {
    Start(EveryKind());
    Open();
    auto& help = testsupport::UseRecordingPopupHelp();
    forms::WindowedControl* controls[] = {&page.flxAlarms,  &page.cmdNew,        &page.cmdModify,
                                          &page.cmdDelete,  &page.cmdTest,       &page.cmdActivate,
                                          &page.cmdDeactivate, &page.cmdActivateAll, &page.cmdSort};
    int id = 601;
    for (forms::WindowedControl* c : controls) {
        c->MouseMove(0, 0, 1, 1);
        ASSERT_FALSE(help.shown.empty()) << c->Name();
        EXPECT_EQ(help.shown.back().helpId, id++) << c->Name();
        EXPECT_NE(help.shown.back().text, "");
    }
}

TEST_F(AlarmManagerPage, TheAlarmListsPageOnlySaysItIsNotAvailableInTheSchemesColours) {
    Start({});
    Open();
    forms::Form* lists = settings::PageNamed("frmSetiRAL");
    ASSERT_EQ(lists, &alarmmanager::frmSetiRAL());
    frmSeti().ShowSubWindow(lists, true);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAL");
    EXPECT_FALSE(page.IsLoaded());
    auto& ral = alarmmanager::frmSetiRAL();
    EXPECT_EQ(ral.BackColor, 0xC8D0D4u);
    EXPECT_EQ(ral.lblXRelative.ForeColor, 0x000000u);
    EXPECT_NE(std::string(ral.lblXRelative.Caption), "");
    EXPECT_EQ(core::HelpFile.GetCurrentSection(), "Popup Help System - Alarm Settings - Alarm Lists");
    const RECT pageRect = d->Rect(ral.hWnd), panel = d->Rect(frmSeti().frmDesc.hWnd);
    EXPECT_EQ(pageRect.left, panel.left);
    EXPECT_EQ(pageRect.top, panel.top);
}

}  // namespace
