// The alarm wizard's special behaviours step on the headless desktop: behaviours added through
// Browse and the parameter controls land in the alarm's "Instruction" and "Extra" byte for byte;
// entry numbers, list lines, Update and Remove with their questions and errors; the check-box
// rules; a text with the entry separator refused; Cancel dropping the working copies; Test
// Behavior reaching the library with what the controls show, and the recording power service.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "alarm_file_writer.h"
#include "alarmmanager/frm_seti_ram.h"
#include "alarmwizard/frm_seti_rae1.h"
#include "alarmwizard/frm_seti_rae2.h"
#include "alarmwizard/frm_seti_rae3.h"
#include "alarmwizard/frm_seti_rae3a.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "desktop_harness.h"
#include "fake_library.h"
#include "settings/frm_seti.h"
#include "wizard_desktop.h"
#include "tests/support/recording_common_dialogs.h"

using namespace platform;
using alarmmanager::frmSetiRAM;
using alarmwizard::frmSetiRAE3A;
using desktop::AlarmEntry;
using desktop::Desktop;
using forms::vbChecked;
using forms::vbUnchecked;

namespace {

constexpr const char* kSection = "Alarm Settings Controls - SUB WINDOW WARLOCK STEP 3A";

AlarmEntry WithBehaviors(const std::string& instruction, const std::string& extra) {
    return {"A", {{"FLAG", "1"}, {"NAME", "Wake"}, {"FIRE", "2026-03-02 07:00:00"}, {"OriginalDate", "2026-03-02 07:00:00"},
                  {"Title", "Wake"}, {"Text", "Up"}, {"Instruction", instruction}, {"Extra", extra}}};
}

class BehaviorStep : public desktop::WizardDesktop {
protected:
    void Start(std::vector<AlarmEntry> alarms = {WithBehaviors("", "")}, bool fakeLibrary = true) {
        ASSERT_NO_FATAL_FAILURE(WizardDesktop::Start(alarms, "", fakeLibrary));
    }
    // New alarm, through steps 1, 2 and 3 to the behaviours link.
    void OpenForNewAlarm() {
        Press(frmSetiRAM().cmdNew);
        ThroughToBehaviors();
    }
    // Modify of the listed alarm (its behaviours fill the step).
    void OpenForListedAlarm() {
        auto& grid = frmSetiRAM().flxAlarms;
        const RECT g = d->Rect(grid.hWnd), c = grid.CellRect(1, 2);
        d->Click(POINT{g.left + (c.left + c.right) / 2, g.top + (c.top + c.bottom) / 2});
        d->Advance(20);
        Press(frmSetiRAM().cmdModify);
        ThroughToBehaviors();
    }
    void ThroughToBehaviors() {
        Press(alarmwizard::frmSetiRAE1().cmdNext);
        Press(alarmwizard::frmSetiRAE2().cmdNext);
        PressLabel(alarmwizard::frmSetiRAE3().lblBehaviors, alarmwizard::frmSetiRAE3().frmWindowType.hWnd);
        ASSERT_EQ(core::CurrentPageName, "frmSetiRAE3A");
    }
    // The kinds list is a drop-down: a choice from it raises the same Click as one from code.
    void ChooseKind(int kind) {
        step.ddlBehaviors.ListIndex = kind;
        d->Pump();
    }
    void TypeText(const std::string& text) {
        Press(step.txt);
        step.txt.Text = "";
        d->Type(text);
    }
    void Add(const std::string& text) {
        TypeText(text);
        Press(step.cmdAddBehavior);
    }
    // A click on the first line, then the arrow keys down to the line.
    void ChooseLine(int line) {
        const RECT list = d->Rect(step.lstBehaviors.hWnd);
        d->Click(POINT{list.left + 20, list.top + 6});
        for (int i = 0; i < line; ++i) d->Key(VK_DOWN);
        ASSERT_EQ(step.lstBehaviors.ListIndex, line);
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (int i = 0; i < step.lstBehaviors.ListCount; ++i) lines.push_back(step.lstBehaviors.List(i));
        return lines;
    }
    std::string LastBoxText() { return d->MessageBoxes().empty() ? "" : d->MessageBoxes().back().text; }
    std::string Text(const char* key) { return core::LanguageFile.ReadText(kSection, key); }
    std::vector<std::string> TriggerCalls() {
        std::vector<std::string> calls;
        for (const std::string& c : desktop::FakeLibrary().Calls())
            if (c.rfind("OZRTriggerSpecialBehavior", 0) == 0) calls.push_back(c);
        return calls;
    }

    alarmwizard::frmSetiRAE3AForm& step = frmSetiRAE3A();
};

TEST_F(BehaviorStep, AnOpenedFileAndAForcedLogOffAreStoredByteForByte) {
    Start();
    OpenForNewAlarm();
    EXPECT_EQ(step.ddlBehaviors.ListCount, 3);
    EXPECT_EQ(step.ddlBehaviors.ListIndex, 0) << "the first kind is chosen";
    EXPECT_EQ(step.cmd.Caption(), Text("B1 Command Caption"));
    EXPECT_TRUE(step.cmd.Enabled);
    EXPECT_FALSE(step.opt1.Enabled);
    EXPECT_EQ(step.opt1.Caption(), "N/A");
    EXPECT_EQ(step.lblFile.Caption(), Text("B1 Textbox Title") + ":");
    EXPECT_FALSE(step.cmdUpdateBehavior.Enabled);
    EXPECT_FALSE(step.cmdPrevious.Enabled);
    EXPECT_TRUE(step.cmdOk.Default);

    const std::string path = d->PathOf("Chest/notes for the alarm.txt").string();
    auto& dialogs = testsupport::UseRecordingCommonDialogs();
    dialogs.Answer(forms::CommonDialogAnswer::ChooseFile(path));
    Press(step.cmd);
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].kind, forms::CommonDialogKind::Open);
    EXPECT_EQ(step.txt.Text(), path);
    Press(step.ch3);
    Press(step.cmdAddBehavior);

    ChooseKind(2);
    EXPECT_TRUE(step.opt1.Value) << "a shut-down starts standard";
    EXPECT_FALSE(step.txt.Enabled);
    EXPECT_EQ(step.txt.Text(), "N/A");
    EXPECT_FALSE(step.cmd.Enabled);
    Press(step.ch1);
    Press(step.opt2);
    Press(step.cmdAddBehavior);

    EXPECT_EQ(Lines(), (std::vector<std::string>{Text("B1") + ": notes for the alarm.txt", Text("B3") + ": Force, Log off"}));
    EXPECT_EQ(step.lstBehaviors.ListIndex, 1) << "the new line is the current one";
    EXPECT_TRUE(step.cmdUpdateBehavior.Enabled);
    Press(step.cmdOk);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE3");
    EXPECT_EQ(core::AlarmUnderEdit.Instruction, "|0: 0, 1, 0, 0, 1, 0, 0 |1: 2, 0, 1, 0, 0, 0, 2 ");
    EXPECT_EQ(core::AlarmUnderEdit.Extra, "|0: " + path + " ");
    EXPECT_EQ(core::AlarmEditProgress, 9);
    EXPECT_TRUE(d->MessageBoxes().empty());

    // Back on the step, the list comes from the record and shows its first behaviour.
    PressLabel(alarmwizard::frmSetiRAE3().lblBehaviors, alarmwizard::frmSetiRAE3().frmWindowType.hWnd);
    EXPECT_EQ(Lines().size(), 2u);
    EXPECT_EQ(step.lstBehaviors.ListIndex, 0);
    EXPECT_EQ(step.ddlBehaviors.ListIndex, 0);
    EXPECT_EQ(step.txt.Text(), path);
    EXPECT_EQ(step.ch3.Value, vbChecked);
    EXPECT_EQ(step.ch1.Value, vbUnchecked);
    // The shut-down shows as stored, forced; choosing its kind again keeps it so.
    ChooseLine(1);
    EXPECT_EQ(step.ddlBehaviors.ListIndex, 2);
    EXPECT_TRUE(step.opt2.Value);
    EXPECT_EQ(step.ch1.Value, vbChecked);
    ChooseKind(2);
    EXPECT_TRUE(step.opt2.Value);
    EXPECT_FALSE(step.opt1.Value);
}

TEST_F(BehaviorStep, NumbersGoOnFromTheLastEntryAndRemoveAsksThenCutsBothStrings) {
    Start({WithBehaviors("|0: 1, 1, 0, 0, 0, 0, 0 |1: 1, 1, 0, 0, 0, 0, 0 |2: 1, 1, 0, 0, 0, 0, 0 ",
                         "|0: first |1: second |2: third ")});
    OpenForListedAlarm();
    EXPECT_EQ(Lines(), (std::vector<std::string>{Text("B2") + ": first", Text("B2") + ": second", Text("B2") + ": third"}));

    ChooseLine(1);
    d->AnswerNextMessageBoxes({IDNO});
    Press(step.cmdRemoveBehavior);
    EXPECT_EQ(LastBoxText(), Text("Warning Delete Message 1"));
    EXPECT_EQ(d->MessageBoxes().back().type, 4132u);
    EXPECT_EQ(Lines().size(), 3u) << "No keeps everything";

    d->AnswerNextMessageBoxes({IDYES});
    Press(step.cmdRemoveBehavior);
    EXPECT_EQ(step.EditedInstruction(), "|0: 1, 1, 0, 0, 0, 0, 0 |2: 1, 1, 0, 0, 0, 0, 0 ");
    EXPECT_EQ(step.EditedExtra(), "|0: first |2: third ");
    EXPECT_EQ(Lines(), (std::vector<std::string>{Text("B2") + ": first", Text("B2") + ": third"}));
    ChooseKind(1);
    Add("fourth");
    EXPECT_EQ(step.EditedInstruction(), "|0: 1, 1, 0, 0, 0, 0, 0 |2: 1, 1, 0, 0, 0, 0, 0 |3: 1, 1, 0, 0, 0, 0, 0 ");
    EXPECT_EQ(step.lstBehaviors.ItemData(2), 3);

    // The last-numbered one removed, its number is given again.
    ChooseLine(2);
    d->AnswerNextMessageBoxes({IDYES});
    Press(step.cmdRemoveBehavior);
    Add("fifth");
    EXPECT_EQ(step.EditedInstruction(), "|0: 1, 1, 0, 0, 0, 0, 0 |2: 1, 1, 0, 0, 0, 0, 0 |3: 1, 1, 0, 0, 0, 0, 0 ");
    EXPECT_EQ(step.EditedExtra(), "|0: first |2: third |3: fifth ");
}

TEST_F(BehaviorStep, UpdateKeepsNumberAndPlaceAndOnlyTheSameKindCanBeUpdated) {
    Start({WithBehaviors("|4: 1, 1, 0, 0, 0, 0, 0 |9: 2, 0, 0, 1, 0, 0, 1 |7: 1, 1, 0, 0, 0, 0, 0 ",
                         "|4: Editor |7: Mail ")});
    OpenForListedAlarm();
    EXPECT_TRUE(step.cmdUpdateBehavior.Enabled);
    TypeText("Browser");
    Press(step.ch2);
    d->AnswerNextMessageBoxes({IDYES});
    Press(step.cmdUpdateBehavior);
    EXPECT_EQ(LastBoxText(), Text("Warning Update"));
    EXPECT_EQ(step.EditedInstruction(), "|4: 1, 1, 0, 1, 0, 0, 0 |9: 2, 0, 0, 1, 0, 0, 1 |7: 1, 1, 0, 0, 0, 0, 0 ");
    EXPECT_EQ(step.EditedExtra(), "|4: Browser |7: Mail ");
    EXPECT_EQ(Lines()[0], Text("B2") + ": Browser");
    EXPECT_EQ(step.lstBehaviors.ItemData(0), 4);

    // Another kind chosen: Update is off, so no entry changes its kind.
    ChooseKind(0);
    EXPECT_FALSE(step.cmdUpdateBehavior.Enabled);
    ChooseKind(1);
    EXPECT_TRUE(step.cmdUpdateBehavior.Enabled);

    // Answered No, nothing changes.
    ChooseLine(2);
    TypeText("Chat");
    d->AnswerNextMessageBoxes({IDNO});
    Press(step.cmdUpdateBehavior);
    EXPECT_EQ(step.EditedExtra(), "|4: Browser |7: Mail ");
    EXPECT_EQ(Lines()[2], Text("B2") + ": Mail");
}

TEST_F(BehaviorStep, ATextThatLostItsExtraEntryIsWrittenAgainByUpdate) {
    Start({WithBehaviors("|0: 1, 1, 0, 0, 0, 0, 0 ", "")});
    OpenForListedAlarm();
    EXPECT_EQ(Lines(), std::vector<std::string>{Text("B2") + ": "});
    TypeText("Notes");
    d->AnswerNextMessageBoxes({IDYES});
    Press(step.cmdUpdateBehavior);
    EXPECT_EQ(step.EditedExtra(), "|0: Notes ");
    EXPECT_EQ(Lines(), std::vector<std::string>{Text("B2") + ": Notes"});
}

TEST_F(BehaviorStep, RemoveTellsWhatIsMissingAndTakesEverySelectedLineAfterOneQuestion) {
    Start();
    OpenForNewAlarm();
    Press(step.cmdRemoveBehavior);
    EXPECT_EQ(LastBoxText(), Text("Error No Behaviors"));
    EXPECT_EQ(d->MessageBoxes().back().type, 4112u);

    ChooseKind(1);
    for (const char* title : {"one", "two", "three", "four"}) Add(title);
    // The current line removed, the list has no current line left: nothing to remove.
    d->AnswerNextMessageBoxes({IDYES});
    Press(step.cmdRemoveBehavior);
    EXPECT_EQ(Lines().size(), 3u);
    EXPECT_EQ(step.lstBehaviors.ListIndex, -1);
    const std::size_t boxes = d->MessageBoxes().size();
    Press(step.cmdRemoveBehavior);
    EXPECT_EQ(d->MessageBoxes().size(), boxes + 1);
    EXPECT_EQ(LastBoxText(), Text("Error Select Behavior"));
    EXPECT_EQ(Lines().size(), 3u);

    // Two lines selected: one question, both gone from both strings.
    ChooseLine(0);
    d->KeyWithModifier(VK_SHIFT, VK_DOWN);
    ASSERT_EQ(step.lstBehaviors.SelCount, 2);
    d->AnswerNextMessageBoxes({IDYES});
    Press(step.cmdRemoveBehavior);
    EXPECT_EQ(LastBoxText(), Text("Warning Delete Message 2"));
    EXPECT_EQ(d->MessageBoxes().size(), boxes + 2);
    EXPECT_EQ(Lines(), std::vector<std::string>{Text("B2") + ": three"});
    EXPECT_EQ(step.EditedInstruction(), "|2: 1, 1, 0, 0, 0, 0, 0 ");
    EXPECT_EQ(step.EditedExtra(), "|2: three ");
}

TEST_F(BehaviorStep, CheckBoxRulesOfOpeningAndShuttingDownAndIndependentBoxesOtherwise) {
    Start();
    OpenForNewAlarm();
    Press(step.ch1);
    Press(step.ch3);
    Press(step.ch4);
    EXPECT_EQ(step.ch4.Value, vbChecked);
    EXPECT_EQ(step.ch1.Value, vbUnchecked) << "maximized excludes without-activating";
    EXPECT_EQ(step.ch3.Value, vbUnchecked) << "and minimized";
    Press(step.ch3);
    EXPECT_EQ(step.ch4.Value, vbUnchecked);
    Press(step.ch3);  // unticking clears nothing
    Press(step.ch2);
    EXPECT_FALSE(step.ch1.Enabled);
    EXPECT_FALSE(step.ch3.Enabled);
    EXPECT_FALSE(step.ch4.Enabled);
    Press(step.ch2);
    EXPECT_TRUE(step.ch1.Enabled);
    EXPECT_TRUE(step.ch3.Enabled);
    EXPECT_TRUE(step.ch4.Enabled);

    ChooseKind(2);
    EXPECT_FALSE(step.ch3.Enabled) << "shutting down has two boxes";
    Press(step.ch1);
    Press(step.ch2);
    EXPECT_EQ(step.ch1.Value, vbUnchecked);
    EXPECT_EQ(step.ch2.Value, vbChecked);
    Press(step.ch1);
    EXPECT_EQ(step.ch2.Value, vbUnchecked);

    ChooseKind(1);
    EXPECT_EQ(step.ch1.Value, vbUnchecked) << "a new kind starts clear";
    Press(step.ch1);
    Press(step.ch2);
    EXPECT_EQ(step.ch1.Value, vbChecked);
    EXPECT_EQ(step.ch2.Value, vbChecked);
}

TEST_F(BehaviorStep, TheCheckBoxesTakeNoClickWhileAnErrorBoxWaits) {
    Start();
    OpenForNewAlarm();
    d->WhileMessageBoxShown([&](const MessageBoxRequest&) { Press(step.ch1); });
    Press(step.cmdRemoveBehavior);
    d->WhileMessageBoxShown({});
    EXPECT_EQ(LastBoxText(), Text("Error No Behaviors"));
    EXPECT_EQ(step.ch1.Value, vbUnchecked);
    Press(step.ch1);
    EXPECT_EQ(step.ch1.Value, vbChecked) << "once the box is answered, the step takes clicks again";
}

TEST_F(BehaviorStep, AStoredHiddenOpenShowsItsOtherBoxesDisabled) {
    Start({WithBehaviors("|0: 0, 1, 0, 1, 0, 0, 0 ", "|0: /tmp/a.txt ")});
    OpenForListedAlarm();
    EXPECT_EQ(step.ch2.Value, vbChecked);
    EXPECT_FALSE(step.ch1.Enabled);
    EXPECT_FALSE(step.ch4.Enabled);
}

TEST_F(BehaviorStep, UntickingABoxClearsNoOtherStoredBox) {
    Start({WithBehaviors("|0: 0, 1, 1, 0, 0, 1, 0 ", "|0: /tmp/a.txt ")});
    OpenForListedAlarm();
    ASSERT_EQ(step.ch1.Value, vbChecked);
    ASSERT_EQ(step.ch4.Value, vbChecked);
    Press(step.ch1);
    EXPECT_EQ(step.ch4.Value, vbChecked);
}

TEST_F(BehaviorStep, ATextWithTheSeparatorIsRefusedByAddAndUpdate) {
    Start({WithBehaviors("|0: 1, 1, 0, 0, 0, 0, 0 ", "|0: Mail ")});
    OpenForListedAlarm();
    TypeText("Mail|1: 2, 0, 0, 0, 0, 0, 2");
    Press(step.cmdAddBehavior);
    EXPECT_EQ(LastBoxText(), Text("Error Text With Bar"));
    EXPECT_EQ(d->MessageBoxes().back().type, 4112u);
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    Press(step.cmdUpdateBehavior);
    EXPECT_EQ(d->MessageBoxes().size(), 2u) << "refused before any question";
    EXPECT_EQ(LastBoxText(), Text("Error Text With Bar"));
    EXPECT_EQ(step.EditedInstruction(), "|0: 1, 1, 0, 0, 0, 0, 0 ");
    EXPECT_EQ(step.EditedExtra(), "|0: Mail ");
    EXPECT_EQ(Lines().size(), 1u);
    // A shut-down has no text: nothing to refuse.
    ChooseKind(2);
    Press(step.cmdAddBehavior);
    EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(BehaviorStep, CancelDropsEveryAddAndRemoveAndANewAlarmStartsEmpty) {
    const std::string instruction = "|0: 1, 1, 0, 0, 0, 0, 0 |5: 2, 0, 0, 1, 0, 0, 1 ";
    const std::string extra = "|0: Mail ";
    Start({WithBehaviors(instruction, extra)});
    OpenForListedAlarm();
    Add("Chat");
    ChooseLine(0);
    d->AnswerNextMessageBoxes({IDYES});
    Press(step.cmdRemoveBehavior);
    ASSERT_NE(step.EditedInstruction(), instruction);
    Press(step.cmdCancel);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE3");
    EXPECT_EQ(core::AlarmUnderEdit.Instruction, instruction);
    EXPECT_EQ(core::AlarmUnderEdit.Extra, extra);

    // A new alarm below progress 9 starts with an empty list whatever the record holds.
    core::AlarmUnderEdit.Instruction = instruction;
    core::AlarmEditProgress = 8;
    PressLabel(alarmwizard::frmSetiRAE3().lblBehaviors, alarmwizard::frmSetiRAE3().frmWindowType.hWnd);
    EXPECT_EQ(step.lstBehaviors.ListCount, 0);
    EXPECT_EQ(step.EditedInstruction(), "");
}

TEST_F(BehaviorStep, AKindBeyondTheListShowsAnEmptyLineAndStaysAsItIs) {
    const std::string instruction = "|0: 7, 1, 1, 0, 0, 0, 0 |1: 1, 1, 0, 0, 0, 0, 0 ";
    Start({WithBehaviors(instruction, "|0: kept |1: Mail ")});
    OpenForListedAlarm();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"", Text("B2") + ": Mail"}));
    EXPECT_EQ(step.ddlBehaviors.ListIndex, -1);
    EXPECT_FALSE(step.cmdUpdateBehavior.Enabled);
    EXPECT_FALSE(step.txt.Enabled);
    Press(step.cmdOk);
    EXPECT_EQ(core::AlarmUnderEdit.Instruction, instruction);
}

TEST_F(BehaviorStep, TestBehaviorPassesWhatTheControlsShow) {
    Start();
    OpenForNewAlarm();
    desktop::FakeLibrary().Clear();
    TypeText("/srv/a b.txt");
    Press(step.ch1);
    Press(step.ch3);
    Press(step.cmdTestBehavior);
    ChooseKind(1);
    TypeText("OZR target");
    Press(step.ch2);
    Press(step.cmdTestBehavior);
    ChooseKind(2);
    Press(step.ch2);
    Press(step.opt2);
    Press(step.cmdTestBehavior);
    EXPECT_EQ(TriggerCalls(), (std::vector<std::string>{"OZRTriggerSpecialBehavior 0 /srv/a b.txt -1 0 -1 0 0",
                                                        "OZRTriggerSpecialBehavior 1 OZR target 0 -1 0 0 0",
                                                        "OZRTriggerSpecialBehavior 2 N/A 0 -1 0 0 2"}));
    EXPECT_EQ(step.lstBehaviors.ListCount, 0) << "a test adds nothing";
    EXPECT_EQ(step.EditedInstruction(), "");
}

TEST_F(BehaviorStep, TestingAShutDownRunsAtOnceThroughTheLibraryAndReachesOnlyTheRecordingPower) {
    Start({WithBehaviors("", "")}, false);
    auto& power = testsupport::UseRecordingPower();
    OpenForNewAlarm();
    ChooseKind(2);
    Press(step.ch2);
    Press(step.opt2);
    Press(step.cmdTestBehavior);
    EXPECT_EQ(power.requests, (std::vector<testsupport::PowerRequest>{{platform::PowerAction::Restart, true}}));
    EXPECT_TRUE(d->MessageBoxes().empty()) << "no question first";
}

TEST_F(BehaviorStep, ACancelledBrowseKeepsTheTextAndTheWindowOnTop) {
    Start();
    OpenForNewAlarm();
    TypeText("/kept/path.txt");
    auto& dialogs = testsupport::UseRecordingCommonDialogs();
    auto topmost = [] { return (GetWindowLong(settings::frmSeti().hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    ASSERT_TRUE(core::Settings.AlwaysOnTopWindows);
    ASSERT_TRUE(topmost());
    bool topmostDuring = true;
    dialogs.Answer([&](const forms::CommonDialogRequest&) {
        topmostDuring = topmost();
        return forms::CommonDialogAnswer::Cancel();
    });
    Press(step.cmd);
    EXPECT_FALSE(topmostDuring) << "the dialog is not hidden behind the settings window";
    EXPECT_TRUE(topmost());
    EXPECT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].fileName, "/kept/path.txt") << "the dialog starts where the text points";
    EXPECT_EQ(step.txt.Text(), "/kept/path.txt");
    EXPECT_TRUE(d->MessageBoxes().empty());
}

}  // namespace
