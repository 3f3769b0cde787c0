#include "settings/frm_seti_at.h"

#include "core/commands.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/popup_help.h"
#include "core/time_sync.h"
#include "settings/server_lists.h"
#include "settings/settings_pages.h"

namespace settings {

using namespace platform::forms;
using core::Settings;

namespace {

// The check boxes and the settings they switch.
struct SettingCheck {
    CheckBox frmSetiATForm::*box;
    bool core::ProgramSettings::*setting;
};
constexpr SettingCheck kSettingChecks[] = {
    {&frmSetiATForm::chEvery, &core::ProgramSettings::Every},
    {&frmSetiATForm::chStartup, &core::ProgramSettings::AtomicStartup},
    {&frmSetiATForm::chTry, &core::ProgramSettings::TryNext},
    {&frmSetiATForm::chRemember, &core::ProgramSettings::Remember},
};

// A number box's store: the setting takes the cleaned value.
std::function<void(double)> StoreInto(std::int16_t core::ProgramSettings::*setting) {
    return [setting](double value) { Settings.*setting = static_cast<std::int16_t>(value); };
}

}  // namespace

frmSetiATForm::frmSetiATForm()
    : Form("frmSetiAT"),
      every_(txtEvery, cmdEveryM, cmdEveryP, NumberBoxRule{1, 5000}, StoreInto(&core::ProgramSettings::EveryMinutes),
             [this] { return pageLoading_; }),
      retries_(txtRetries, cmdRetriesM, cmdRetriesP, NumberBoxRule{0, 100}, StoreInto(&core::ProgramSettings::Retries),
               [this] { return pageLoading_; }),
      minutesAhead_(txtMinutesAhead, cmdMinutesAheadM, cmdMinutesAheadP, NumberBoxRule{0, 1440},
                    StoreInto(&core::ProgramSettings::AtomicPlus), [this] { return pageLoading_; }),
      minutesLate_(txtMinutesLate, cmdMinutesLateM, cmdMinutesLateP, NumberBoxRule{0, 1440},
                   StoreInto(&core::ProgramSettings::AtomicMinus), [this] { return pageLoading_; }) {
    for (const SettingCheck& c : kSettingChecks) {
        CheckBox& box = this->*c.box;
        box.Click = [this, &box, setting = c.setting] {
            if (pageLoading_) return;
            Settings.*setting = box.Value != vbUnchecked;
            // Periodic synchronisation stops or starts now, before any Apply; Cancel sets it back.
            if (setting == &core::ProgramSettings::Every) core::frmMain().AtomicMinute.Enabled = Settings.Every;
        };
    }
    OZR_HANDLE(optAhead, Click);
    OZR_HANDLE(optLate, Click);
    OZR_HANDLE(ddlServers, GotFocus);
    OZR_HANDLE(ddlServers, Click);
    OZR_HANDLE(cmdSync, Click);
    const struct {
        std::initializer_list<WindowedControl*> controls;
        const char* helpKey;
    } help[] = {
        {{&chEvery}, "1601chEvery"},
        {{&cmdEveryM, &txtEvery, &cmdEveryP}, "1602txtEvery"},
        {{&chStartup}, "1603chStartup"},
        {{&cmdSync}, "1605cmdSync"},
        {{&chTry}, "1606chTry"},
        {{&chRemember}, "1607chRemember"},
        {{&cmdRetriesM, &txtRetries, &cmdRetriesP}, "1608txtRetries"},
        {{&optAhead}, "1609optAhead"},
        {{&cmdMinutesAheadM, &txtMinutesAhead, &cmdMinutesAheadP}, "1610txtMinutesAhead"},
        {{&optLate}, "1611optLate"},
        {{&cmdMinutesLateM, &txtMinutesLate, &cmdMinutesLateP}, "1612txtMinutesLate"},
    };
    for (const auto& h : help)
        for (WindowedControl* control : h.controls) ShowHelpOnMouseMove(*control, h.helpKey);
}

frmSetiATForm& frmSetiAT() {
    static frmSetiATForm form;
    return form;
}

void frmSetiATForm::Design() {
    DesignPage(*this);
    frmGeneral.Move(240, 240, 5490, 5940);
    lblSync.Move(240, 300, 5010, 240);
    chEvery.Move(360, 600, 2400, 300);
    cmdEveryM.Move(2790, 600, 300, 300);
    txtEvery.Move(3120, 600, 660, 300);
    cmdEveryP.Move(3810, 600, 300, 300);
    lblMinutes.Move(4170, 630, 1080, 240);
    chStartup.Move(360, 1020, 4890, 300);
    lblPreferred.Move(240, 1500, 5010, 240);
    ddlServers.Move(360, 1800, 4890, 315);
    cmdSync.Move(360, 2220, 2700, 375);
    lblTimeout.Move(240, 2820, 5010, 240);
    chTry.Move(360, 3120, 4890, 300);
    chRemember.Move(360, 3480, 4890, 300);
    lblRetries.Move(360, 3900, 2400, 240);
    cmdRetriesM.Move(2790, 3870, 300, 300);
    txtRetries.Move(3120, 3870, 660, 300);
    cmdRetriesP.Move(3810, 3870, 300, 300);
    lblKeep.Move(240, 4380, 5010, 240);
    optAhead.Move(360, 4680, 300, 300);
    cmdMinutesAheadM.Move(720, 4680, 300, 300);
    txtMinutesAhead.Move(1050, 4680, 780, 300);
    cmdMinutesAheadP.Move(1860, 4680, 300, 300);
    lblMinutesAhead.Move(2250, 4710, 3000, 240);
    optLate.Move(360, 5100, 300, 300);
    cmdMinutesLateM.Move(720, 5100, 300, 300);
    txtMinutesLate.Move(1050, 5100, 780, 300);
    cmdMinutesLateP.Move(1860, 5100, 300, 300);
    lblMinutesLate.Move(2250, 5130, 3000, 240);
    optAhead.Caption = "";
    optLate.Caption = "";
    for (CommandButton* minus : {&cmdEveryM, &cmdRetriesM, &cmdMinutesAheadM, &cmdMinutesLateM}) minus->Caption = "-";
    for (CommandButton* plus : {&cmdEveryP, &cmdRetriesP, &cmdMinutesAheadP, &cmdMinutesLateP}) plus->Caption = "+";
}

void frmSetiATForm::Form_Load() {
    core::HelpFile.SelectSection(kTimeSyncHelpSection);
    PlacePage(*this);
    SetTexts();
    SetColors();
    FillServers();
    pageLoading_ = true;
    for (const SettingCheck& c : kSettingChecks) (this->*c.box).Value = Settings.*c.setting ? vbChecked : vbUnchecked;
    txtEvery.Text = std::to_string(Settings.EveryMinutes);
    // The preferred server becomes the one the next synchronisation asks. An empty list selects
    // nothing and leaves both as they are.
    const int line = SelectableIndex(Settings.AtomicServer, ddlServers.ListCount);
    if (line >= 0) ddlServers.ListIndex = line;
    txtRetries.Text = std::to_string(Settings.Retries);
    if (Settings.Ahead)
        optAhead.Value = true;
    else
        optLate.Value = true;
    txtMinutesAhead.Text = std::to_string(Settings.AtomicPlus);
    txtMinutesLate.Text = std::to_string(Settings.AtomicMinus);
    pageLoading_ = false;
}

void frmSetiATForm::SetTexts() {
    core::LanguageFile.SelectSection(core::kAtomicClockSection);
    const struct {
        CaptionedControl* control;
        const char* key;
    } captions[] = {
        {&chEvery, "Every"}, {&chStartup, "Startup"}, {&cmdSync, "SynchronizeNow"},
        {&chTry, "Try"},     {&chRemember, "Remember"},
    };
    for (const auto& c : captions) c.control->Caption = core::LanguageFile.ReadString(c.key);
    frmGeneral.Caption = core::LanguageFile.ReadString("Settings");
    const struct {
        Label* label;
        const char* key;
    } labels[] = {
        {&lblSync, "Synch"},     {&lblMinutes, "Minutes"}, {&lblPreferred, "Preferred"},    {&lblTimeout, "Timeout"},
        {&lblRetries, "Retries"}, {&lblKeep, "Keep"},       {&lblMinutesAhead, "Ahead"}, {&lblMinutesLate, "Late"},
    };
    for (const auto& l : labels) l.label->Caption = core::LanguageFile.ReadString(l.key);
}

void frmSetiATForm::SetColors() {
    auto palette = CurrentPalette();
    if (!palette) return;
    BackColor = palette->back;
    ForeColor = palette->text;
    ColorControls({&frmGeneral, &lblSync, &chEvery, &lblMinutes, &chStartup, &lblPreferred, &lblTimeout, &chTry,
                   &chRemember, &lblRetries, &lblKeep, &optAhead, &lblMinutesAhead, &optLate, &lblMinutesLate},
                  *palette);
    for (CommandButton* b : {&cmdSync, &cmdEveryM, &cmdEveryP, &cmdRetriesM, &cmdRetriesP, &cmdMinutesAheadM,
                             &cmdMinutesAheadP, &cmdMinutesLateM, &cmdMinutesLateP})
        b->BackColor = palette->button;
}

void frmSetiATForm::FillServers() {
    ddlServers.Clear();
    for (const std::string& line : TimeServerLines(core::kTimeServerListPath)) ddlServers.AddItem(line);
}

void frmSetiATForm::optAhead_Click() {
    if (pageLoading_) return;
    Settings.Ahead = true;
}

void frmSetiATForm::optLate_Click() {
    if (pageLoading_) return;
    Settings.Ahead = false;
}

void frmSetiATForm::ddlServers_GotFocus() { core::ShowHelp(ddlServers.hWnd, "1604ddlServers", true); }

// Also while the page loads: the preferred server becomes the current one.
void frmSetiATForm::ddlServers_Click() {
    ddlServers_GotFocus();
    if (ddlServers.ListIndex < 0) return;
    Settings.AtomicServer = static_cast<std::int16_t>(ddlServers.ListIndex);
    core::frmMain().CurrentTimeServer = Settings.AtomicServer;
}

// The command timer runs one synchronisation with the current server, as the page's values stand.
void frmSetiATForm::cmdSync_Click() { core::RunLater(core::Command::TimeSync); }

}  // namespace settings
