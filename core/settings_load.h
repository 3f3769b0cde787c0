// LoadSettings and SaveSettings: the program settings and the label list in "Settings.ozrini".
//
// LoadSettings fills Settings and Labels, putting each missing key into the file content with its
// default (the file itself is written by the next SaveSettings). A stored value that is not a
// number, or lies outside its global's range (a Byte of 300), loads as the key's default; the
// problem is kept in SettingsLoadNotes and told to the debug log. SaveSettings writes every global
// but RunCount and every label back and saves the file; a save that fails is told as every failed
// save of the program's files is (file_saving.h). Other component errors reach the caller.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/clock_label.h"
#include "core/file_saving.h"
#include "core/program_settings.h"
#include "core/settings_keys.h"

namespace core {

inline constexpr const char* kSettingsFilePath = "\\Settings.ozrini";  // in the program folder
inline constexpr const char* kSettingsHeader = "Dralo Software Development Ruriv - Settings File";
inline constexpr const char* kVersionKey = "Minimum OZRClock.exe Module Version";
inline constexpr const char* kVersionValue = "2.7.17";
inline constexpr const char* kLabelList = "Labels";
inline constexpr const char* kLabelSectionPrefix = "ZTVLBL: ";

struct TwipsPoint {
    double left = 0;
    double top = 0;
};

// What the two routines need of the main window. The main window wires them; unwired, the screen
// counts as 0 x 0, no modal window counts as open, the floating window's position is not taken,
// and nothing is sent to the library.
struct SettingsHooks {
    std::function<ScreenSizeTwips()> GetScreenSize;                        // refresh, then the size
    std::function<void(std::int16_t dx, std::int16_t dy)> UpdateLabelKerning = ShiftLabelOffsets;  // frmMain
    std::function<bool()> ModalWindowOpen;                                 // the global ModalWindowOpen
    std::function<TwipsPoint()> MainWindowTopLeft;                         // frmMain's Left and Top
    std::function<void()> ResendLabels;  // DisplayLabelCount = 0, then SendLabelsToHook(True)
};
inline SettingsHooks SettingsRoutineHooks;

// The problems found by the last LoadSettings, one debug-log line each. LoadSettings logs them as
// it finds them; start-up loads the settings before the log is on, so it logs them again once
// DebugOutputOn is set.
inline std::vector<std::string> SettingsLoadNotes;

// The account name as the settings were last loaded (LoadSettings sets it) or applied: the one a
// name typed on the storage page is compared with, however often the page was shown since.
inline std::string UsernameAtLastLoadOrApply;

void LoadSettings();
// True when the file was written (or, without force, when a modal window put the save off).
bool SaveSettings(bool force, const SaveNotice& notice = kSaveWhileRunning);

// Only PX and PY, the settings window's place, written into the file content as it stands and
// saved: the program ends while the window holds changes that were never applied.
bool SaveSettingsWindowPlace(const SaveNotice& notice);

// Records one load problem in SettingsLoadNotes and the debug log.
void NoteSettingsProblem(const std::string& text);

// The label list of the settings file, read into fresh records (LabelFlags kept for the indexes
// that existed), with LabelCount. Used by LoadSettings and by SaveSettings after adding a label.
void ReadLabelList(platform::SettingsFile& file);
// The twelve entries of a label into the current section: added (Add...) or written (Write...).
void PutLabelEntries(platform::SettingsFile& file, const ClockLabel& label, bool add);
// The two labels of a file without a label list, without their keys.
std::vector<ClockLabel> DefaultLabels();

}  // namespace core
