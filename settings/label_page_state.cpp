#include "settings/label_page_state.h"

#include <algorithm>

#include "core/date_routines.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/hook_settings.h"
#include "settings/label_rules.h"

namespace settings {

using core::LabelCount;
using core::Labels;

void PushLabelToHook(int index) {
    core::SendOneLabelToHook(index);
    if (core::LabelDisplay* display = core::LabelDisplayOf(index)) display->LabelPushed = true;
}

void MarkLabelForLayout(int index) {
    if (core::LabelDisplay* display = core::LabelDisplayOf(index)) display->LabelNeedsLayout = true;
}

void AddLabel(const std::string& name) {
    const auto keyTaken = [](const std::string& key) {
        return core::MainSettingsFile.ListItemExists(core::kLabelList, key) != 0 ||
               std::any_of(Labels.begin(), Labels.begin() + LabelCount,
                           [&](const core::ClockLabel& l) { return l.LabelKey == key; });
    };
    Labels.resize(static_cast<std::size_t>(LabelCount) + 1);
    core::ClockLabel& label = Labels[static_cast<std::size_t>(LabelCount)];
    label = NewLabelRecord(label, name, core::GenerateUniqueKey(core::Now(), keyTaken));
    // Every label's position includes the global offset, and saving stores what lies beyond it: a
    // new label starts on the offset, as the others do, and does not move when it is saved.
    label.BaseX = label.X = static_cast<std::int16_t>(core::Settings.PositionX * 15);
    label.BaseY = label.Y = static_cast<std::int16_t>(core::Settings.PositionY * 15);
    ++LabelCount;
    core::DisplayLabelCount = 0;
    Labels.emplace_back();
}

void DeleteLabel(int index) {
    if (index < 0 || index >= LabelCount) return;
    const core::ClockLabel& label = Labels[static_cast<std::size_t>(index)];
    platform::SettingsFile& file = core::MainSettingsFile;
    // A label that was never applied is in memory only.
    if (file.ListItemExists(core::kLabelList, label.LabelKey) != 0) {
        file.DeleteListItem(core::kLabelList, label.LabelKey);
        file.DeleteSection(core::kLabelSectionPrefix + label.LabelName);
    }
    RemoveLabelRecord(Labels, index);
    --LabelCount;
    auto& controls = core::frmMain().Label;
    if (controls.Count() >= 2) controls.Unload(controls.UBound());
    // A label added since the main window last set up its slots has none to give back.
    if (core::DisplayLabelCount > 0) --core::DisplayLabelCount;
}

}  // namespace settings
