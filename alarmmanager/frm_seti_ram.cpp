// The alarm manager page: its design, load and unload, texts and colours, the popup help of its
// controls and the return from the alarm wizard.
#include "alarmmanager/frm_seti_ram.h"

#include <initializer_list>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/popup_help.h"
#include "settings/settings_pages.h"

namespace alarmmanager {

using namespace platform::forms;
using core::LanguageFile;

namespace {

// The grid's own colours and the selection colours of the alarm rows, by ColorScheme.
struct GridScheme {
    int scheme;
    platform::COLORREF lines;
    platform::COLORREF selectedBack, selectedFore, back, fore;
};
constexpr GridScheme kGridSchemes[] = {
    {1, 0xC8D0D4, 0x00FF00, 0x000000, 0x000000, 0x00FF00},  // Matrix
    {2, 0xFFFFFF, 0xAC8C69, 0xFFFFFF, 0x4C3C19, 0xFFFFFF},  // Alive
    {3, 0x000000, 0x98A0A4, 0xFFFFFF, 0xC8D0D4, 0x000000},  // Standard
};

const GridScheme* CurrentGridScheme() {
    for (const GridScheme& s : kGridSchemes)
        if (s.scheme == core::Settings.ColorScheme) return &s;
    return nullptr;
}

// Each button: its caption's key and its popup help.
struct ButtonEntry {
    CommandButton frmSetiRAMForm::*button;
    const char* captionKey;
    const char* helpKey;
};
constexpr ButtonEntry kButtons[] = {
    {&frmSetiRAMForm::cmdNew, "New", "0602cmdNew"},
    {&frmSetiRAMForm::cmdModify, "Modify", "0603cmdModify"},
    {&frmSetiRAMForm::cmdDelete, "Delete", "0604cmdDelete"},
    {&frmSetiRAMForm::cmdTest, "Test", "0605cmdTest"},
    {&frmSetiRAMForm::cmdActivate, "Activate", "0606cmdActivate"},
    {&frmSetiRAMForm::cmdDeactivate, "Deactivate", "0607cmdDeactivate"},
    {&frmSetiRAMForm::cmdActivateAll, "ActivateAll", "0608cmdActivateAll"},
    {&frmSetiRAMForm::cmdSort, "Sort", "0609cmdSort"},
};
constexpr const char* kGridHelpKey = "0601flxAlarms";

// Layout, twips: the list fills the page above two rows of four buttons.
constexpr int kButtonWidth = 1425, kButtonHeight = 405, kButtonPitch = 1485;
constexpr int kFirstButtonRow = 5400, kSecondButtonRow = 5880;

}  // namespace

frmSetiRAMForm::frmSetiRAMForm() : Form("frmSetiRAM"), boxes_(*this, core::kAlarmManagerPageSection) {
    OZR_HANDLE(flxAlarms, KeyDown);
    OZR_HANDLE(flxAlarms, KeyUp);
    OZR_HANDLE(flxAlarms, Click);
    OZR_HANDLE(flxAlarms, DblClick);
    OZR_HANDLE(flxAlarms, MouseDown);
    flxAlarms.MouseMove = [this](int, int, int, int) { core::ShowHelp(flxAlarms.hWnd, kGridHelpKey, false); };
    OZR_HANDLE(cmdNew, Click);
    OZR_HANDLE(cmdModify, Click);
    OZR_HANDLE(cmdDelete, Click);
    OZR_HANDLE(cmdTest, Click);
    OZR_HANDLE(cmdActivate, Click);
    OZR_HANDLE(cmdDeactivate, Click);
    OZR_HANDLE(cmdActivateAll, Click);
    OZR_HANDLE(cmdSort, Click);
    for (const ButtonEntry& layout : kButtons) {
        CommandButton& button = this->*layout.button;
        button.MouseMove = [&button, key = layout.helpKey](int, int, int, int) { core::ShowHelp(button.hWnd, key, false); };
    }
}

frmSetiRAMForm& frmSetiRAM() {
    static frmSetiRAMForm form;
    return form;
}

void frmSetiRAMForm::Design() {
    settings::DesignPage(*this);
    frmList.Move(0, 0, settings::kPageWidth, 5310);
    flxAlarms.Move(45, 240, 5880, 4980);
    flxAlarms.FixedRows = 1;
    flxAlarms.FixedCols = 0;
    flxAlarms.Rows = 2;
    flxAlarms.Cols = 4;
    flxAlarms.SelectionMode = flexSelectionByRow;
    // The page paints its own selection, also when the grid holds only its spare row: the grid's
    // highlight and focus mark would hide it.
    flxAlarms.HighLight = flexHighlightNever;
    flxAlarms.FocusRect = flexFocusNone;
    int i = 0;
    for (const ButtonEntry& layout : kButtons) {
        (this->*layout.button).Move(30 + (i % 4) * kButtonPitch, i < 4 ? kFirstButtonRow : kSecondButtonRow, kButtonWidth,
                                  kButtonHeight);
        ++i;
    }
}

void frmSetiRAMForm::Form_Load() {
    core::AlarmManagerOpen = true;
    settings::PlacePage(*this);
    selectionAnchor_ = -1;
    rangeSelectMode_ = toggleSelectMode_ = multiSelection_ = false;
    SetColors();
    SetTexts();
    core::HelpFile.SelectSection(kAlarmManagerHelpSection);
    ReturnFromWizard();
    UpdateActivateAllCaption();
    EnableButtons();
    if (!core::AlarmsLoaded) boxes_.Error(core::frmMain().WhyAlarmsAreNotLoaded());
}

// Nothing can be done with alarms that are not loaded; once they are (a restore while the page is
// shown) every command works.
void frmSetiRAMForm::EnableButtons() {
    for (const ButtonEntry& layout : kButtons) (this->*layout.button).Enabled = core::AlarmsLoaded;
    if (core::AlarmsLoaded) UpdateActivateButtons();
}

void frmSetiRAMForm::Form_Unload(int&) { core::AlarmManagerOpen = false; }

void frmSetiRAMForm::SetTexts() {
    LanguageFile.SelectSection(core::kAlarmManagerPageSection);
    frmList.Caption = LanguageFile.ReadString("Existent");
    for (const ButtonEntry& layout : kButtons) (this->*layout.button).Caption = LanguageFile.ReadString(layout.captionKey);
    ShowAlarmList();
}

void frmSetiRAMForm::SetColors() {
    auto palette = settings::CurrentPalette();
    const GridScheme* grid = CurrentGridScheme();
    if (!palette || !grid) return;
    BackColor = palette->back;
    for (InteractiveControl* c : std::initializer_list<InteractiveControl*>{&frmList, &flxAlarms}) {
        c->BackColor = palette->back;
        c->ForeColor = palette->text;
    }
    flxAlarms.BackColorBkg = palette->back;
    flxAlarms.GridColor = grid->lines;
    for (const ButtonEntry& layout : kButtons) (this->*layout.button).BackColor = palette->button;
}

// Every cell of the row in the selection colours, or in the plain ones.
void frmSetiRAMForm::ShowRowColors(int row, bool selected) {
    const GridScheme* grid = CurrentGridScheme();
    if (!grid) return;
    flxAlarms.Row = row;
    for (int col = 0; col < flxAlarms.Cols; ++col) {
        flxAlarms.Col = col;
        flxAlarms.CellBackColor = selected ? grid->selectedBack : grid->back;
        flxAlarms.CellForeColor = selected ? grid->selectedFore : grid->fore;
    }
}

// The wizard's final save leaves 2 (a new alarm waits in AlarmUnderEdit) or 3 (an alarm was
// written back); a cancelled wizard leaves anything else, which this page leaves alone.
void frmSetiRAMForm::ReturnFromWizard() {
    if (core::AlarmEditProgress == 2) {
        AddEditedAlarm();
        core::AlarmEditProgress = 0;
    } else if (core::AlarmEditProgress == 3) {
        core::AlarmEditProgress = 0;
        for (int r = 1; r <= AlarmRowCount(); ++r) {
            const int i = AlarmOfRow(r);
            if (i < 0 || static_cast<std::size_t>(i) >= core::Alarms.size()) continue;
            if (core::Alarms[static_cast<std::size_t>(i)].AlarmKey != core::AlarmUnderEdit.AlarmKey) continue;
            flxAlarms.TopRow = r;
            SelectAlarmRow(r);
            break;
        }
    }
}

}  // namespace alarmmanager
