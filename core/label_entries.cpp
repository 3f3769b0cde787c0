// The label list in the settings file: the list "Labels" (key: the label's key, value: its name)
// and one section "ZTVLBL: " + name per label with twelve entries.
#include <algorithm>

#include "core/settings_load.h"

namespace core {
namespace {

struct LabelField {
    const char* key;
    StoredMember<ClockLabel> member;
    TrueAs trueAs = TrueAs::One;
    std::int16_t ClockLabel::*base = nullptr;  // stored as the field minus this part
};

// In entry order. The font switches are written as held (-1 or 0), Visible as 1 or 0; the offsets
// without the global offset.
const LabelField kLabelFields[] = {
    {"X", &ClockLabel::X, TrueAs::One, &ClockLabel::BaseX},
    {"Y", &ClockLabel::Y, TrueAs::One, &ClockLabel::BaseY},
    {"Face", &ClockLabel::Face},
    {"Size", &ClockLabel::Size},
    {"Bold", &ClockLabel::Bold},
    {"Italic", &ClockLabel::Italic, TrueAs::MinusOne},
    {"Underline", &ClockLabel::Underline, TrueAs::MinusOne},
    {"StrikeOut", &ClockLabel::StrikeOut, TrueAs::MinusOne},
    {"Back", &ClockLabel::Back},
    {"Fore", &ClockLabel::Fore},
    {"SpawnString", &ClockLabel::SpawnString},
    {"Visible", &ClockLabel::Visible},
};

void ReadLabelEntries(platform::SettingsFile& file, const std::string& section, ClockLabel& label) {
    file.SelectSection(section);
    for (const LabelField& field : kLabelFields) {
        const std::string nothing = IsTextField(field.member) ? "an empty text" : "0";
        const std::string where = "\"" + std::string(field.key) + "\" in section \"" + section + "\"";
        if (file.KeyExists(field.key) == 0) {
            NoteSettingsProblem("[LoadSettings]: " + where + " is missing; the label takes " + nothing + ".");
        } else if (!StoreFieldText(label, field.member, file.FoundValue())) {
            NoteSettingsProblem("[LoadSettings]: " + where + " holds \"" + file.FoundValue() + "\", not " +
                                FieldRangeText(field.member) + "; the label takes " + nothing + ".");
        }
    }
}

}  // namespace

void ReadLabelList(platform::SettingsFile& file) {
    std::vector<std::string> keys, values;
    const std::size_t count = std::min<std::size_t>(file.ReadSection(kLabelList, keys, values), 32767);
    std::vector<ClockLabel> labels(count + 1);
    for (std::size_t i = 0; i < count; ++i) {
        ClockLabel& label = labels[i];
        if (i < Labels.size()) label.LabelFlags = Labels[i].LabelFlags;  // the library reported these
        label.LabelName = values[i];
        label.LabelKey = keys[i];
        ReadLabelEntries(file, kLabelSectionPrefix + values[i], label);
    }
    Labels = std::move(labels);
    LabelCount = static_cast<std::int16_t>(count);
}

void PutLabelEntries(platform::SettingsFile& file, const ClockLabel& label, bool add) {
    for (const LabelField& field : kLabelFields) {
        if (IsTextField(field.member)) {
            const std::string& text = label.*std::get<std::string ClockLabel::*>(field.member);
            add ? file.AddString(field.key, text) : file.WriteString(field.key, text);
        } else {
            const std::int32_t number = FieldNumber(label, field.member, field.trueAs) - (field.base ? label.*field.base : 0);
            add ? file.AddLong(field.key, number) : file.WriteLong(field.key, number);
        }
    }
}

std::vector<ClockLabel> DefaultLabels() {
    ClockLabel preciseTime;
    preciseTime.LabelName = "Precise Time";
    preciseTime.Face = "Arial";
    preciseTime.Size = 10;
    preciseTime.Bold = 700;
    preciseTime.Back = 0x000000;
    preciseTime.Fore = 0xFFFFFF;
    preciseTime.SpawnString = "achh:mm:ss";
    preciseTime.Visible = true;

    ClockLabel japaneseDate = preciseTime;
    japaneseDate.LabelName = "Japanese Date";
    japaneseDate.Bold = 400;
    japaneseDate.Back = 0xFFFFFF;
    japaneseDate.Fore = 0x000000;
    japaneseDate.SpawnString = "acYYYY-MM-DD";
    return {preciseTime, japaneseDate};
}

}  // namespace core
