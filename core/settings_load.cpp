#include "core/settings_load.h"

#include <string_view>

#include "core/date_routines.h"
#include "core/debug_log.h"
#include "core/rounding.h"
#include "platform/services/paths.h"

namespace core {
namespace {

using platform::SettingsFile;

// Walks the key table, selecting each section before its first key.
template <class Visit>
void ForEachKey(SettingsFile& file, bool onlySaved, Visit visit) {
    std::string_view section;
    for (const SettingKey& key : SettingsKeys()) {
        if (onlySaved && !key.savedBySaveSettings) continue;
        if (section.data() == nullptr || section != key.section) {
            section = key.section;
            file.SelectSection(key.section);
        }
        visit(key);
    }
}

void LoadKeys(SettingsFile& file, const ScreenSizeTwips& screen) {
    ForEachKey(file, false, [&](const SettingKey& key) {
        const std::string fallback = DefaultText(key, screen);
        const std::string stored = file.ReadStringDefault(key.key, fallback, true);
        if (StoreSetting(key, stored)) return;
        StoreFieldText(Settings, key.member, fallback);
        NoteSettingsProblem("[LoadSettings]: \"" + std::string(key.key) + "\" in section \"" + key.section + "\" holds \"" + stored +
                            "\", not " + SettingRangeText(key) + "; the default " + fallback + " is used.");
    });
}

void SaveKeys(SettingsFile& file) {
    ForEachKey(file, true, [&](const SettingKey& key) {
        if (IsTextField(key.member)) {
            const std::string& text = Settings.*std::get<std::string ProgramSettings::*>(key.member);
            file.WriteStringEx(key.key, text, text, true);
        } else {
            const std::int32_t number = FieldNumber(Settings, key.member, TrueAs::One);
            file.WriteLongEx(key.key, number, number, true);
        }
    });
}

// The two default labels, each with a key the list does not hold yet. A reload (Cancel of a clock
// whose file holds no labels yet) keeps the flags the library reported for the labels it shows, as
// a reload of a label list does: the library reports them only when a label is sent to it.
void AddDefaultLabels(SettingsFile& file) {
    std::vector<ClockLabel> labels = DefaultLabels();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        ClockLabel& label = labels[i];
        if (i < Labels.size()) label.LabelFlags = Labels[i].LabelFlags;
        label.LabelKey = GenerateUniqueKey(Now(), [&](const std::string& key) { return file.ListItemExists(kLabelList, key) != 0; });
        file.AddListItem(kLabelList, label.LabelKey, label.LabelName);
        file.AddSection(kLabelSectionPrefix + label.LabelName);
        PutLabelEntries(file, label, true);
    }
    LabelCount = static_cast<std::int16_t>(labels.size());
    labels.emplace_back();  // the spare element
    Labels = std::move(labels);
}

void ApplyGlobalLabelOffset() {
    if (LabelCount != 0) {
        if (SettingsRoutineHooks.UpdateLabelKerning) SettingsRoutineHooks.UpdateLabelKerning(Settings.PositionX, Settings.PositionY);
    } else {
        Labels[LabelCount].Size = -1;
    }
}

}  // namespace

void NoteSettingsProblem(const std::string& text) {
    SettingsLoadNotes.push_back(text);
    DebugLog(text);
}

void LoadSettings() {
    SettingsLoadNotes.clear();
    SettingsFile& file = MainSettingsFile;
    file.Open(platform::ProgramFolder() + kSettingsFilePath);
    if (file.IsLoaded() == 0) file.NewFile();
    if (file.FindSection(kSettingsHeader) != 1) file.CreateFoundSection();
    file.AddString(kVersionKey, kVersionValue);

    LoadKeys(file, SettingsRoutineHooks.GetScreenSize ? SettingsRoutineHooks.GetScreenSize() : ScreenSizeTwips{});
    UsernameAtLastLoadOrApply = Settings.Username;

    if (file.FindSection(kLabelList) == 1) {
        ReadLabelList(file);
    } else {
        file.CreateFoundSection();
        AddDefaultLabels(file);
    }
    ApplyGlobalLabelOffset();
}

bool SaveSettingsWindowPlace(const SaveNotice& notice) {
    for (const SettingKey& key : SettingsKeys()) {
        const std::string_view name = key.key;
        if (name != "PX" && name != "PY") continue;
        const std::int32_t number = FieldNumber(Settings, key.member, TrueAs::One);
        MainSettingsFile.WriteLongIn(key.section, key.key, number, number, true);
    }
    return SaveProgramFile(MainSettingsFile, notice);
}

bool SaveSettings(bool force, const SaveNotice& notice) {
    if (!force && SettingsRoutineHooks.ModalWindowOpen && SettingsRoutineHooks.ModalWindowOpen()) return true;
    if (SettingsRoutineHooks.MainWindowTopLeft) {
        const TwipsPoint topLeft = SettingsRoutineHooks.MainWindowTopLeft();
        Settings.FloatWindowLeft = static_cast<std::int32_t>(RoundHalfEven(topLeft.left));
        Settings.FloatWindowTop = static_cast<std::int32_t>(RoundHalfEven(topLeft.top));
    }

    SettingsFile& file = MainSettingsFile;
    SaveKeys(file);

    if (file.FindSection(kLabelList) != 1) file.CreateFoundSection();
    bool labelAdded = false;
    for (int i = 0; i < LabelCount; ++i) {
        const ClockLabel& label = Labels[i];
        if (file.ListItemExists(kLabelList, label.LabelKey) != 0) {
            file.SetListItem(kLabelList, label.LabelKey, label.LabelName);
            file.SelectSection(kLabelSectionPrefix + label.LabelName);
            PutLabelEntries(file, label, false);
        } else {
            file.AddListItem(kLabelList, label.LabelKey, label.LabelName);
            file.AddSection(kLabelSectionPrefix + label.LabelName);
            PutLabelEntries(file, label, true);
            labelAdded = true;
        }
    }
    // What was just written is saved as it stands, even into a file object that was never loaded.
    const bool saved = SaveProgramFile(file, notice);

    if (labelAdded) {
        // The records are read back as the file holds them; the global offset is put on again so
        // that X - BaseX stays what the file holds.
        ReadLabelList(file);
        ApplyGlobalLabelOffset();
        if (SettingsRoutineHooks.ResendLabels) SettingsRoutineHooks.ResendLabels();
    }
    return saved;
}

}  // namespace core
