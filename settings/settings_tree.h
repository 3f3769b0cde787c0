// The section tree of the settings window: its nodes in their fixed order (other code addresses
// them by 1-based index), the pictures of the nodes and of the sections, and the description
// panels of the three groups. Texts come from the language file's section "Program Settings Tree".
#pragma once

#include <array>
#include <string>

#include "platform/forms/form.h"
#include "platform/services/settings_file.h"

namespace settings {


// What a click on a node shows.
enum class NodeAction {
    Panel,     // the group's description panel
    Page,      // a page of the settings window
    NewAlarm,  // a new alarm, then the first step of the alarm wizard
    About,     // the about window, modal
};

struct TreeNodeEntry {
    const char* key;
    const char* parent;  // nullptr: a root
    const char* textKey;
    const char* pictureKey;
    NodeAction action;
    const char* pageName;  // the Name of the page form (pages and the new alarm)
};

inline constexpr std::array<TreeNodeEntry, 13> kTreeNodes{{
    {"root1", nullptr, "r1", "Program Settings", NodeAction::Panel, nullptr},
    {"1_1", "root1", "1_1", "Program Settings GO", NodeAction::Page, "frmSetiGO"},
    {"1_2", "root1", "1_2", "Program Settings AV", NodeAction::Page, "frmSetiAV"},
    {"1_3", "root1", "1_3", "Program Settings AS", NodeAction::Page, "frmSetiAS"},
    {"1_4", "root1", "1_4", "Program Settings DC", NodeAction::Page, "frmSetiLC"},
    {"1_5", "root1", "1_5", "Program Settings LA", NodeAction::Page, "frmSetiLA"},
    {"root2", nullptr, "r2", "Alarm Settings", NodeAction::Panel, nullptr},
    {"2_1", "root2", "2_1", "Alarm Settings AM", NodeAction::Page, "frmSetiRAM"},
    {"2_2", "root2", "2_2", "Alarm Settings AE", NodeAction::NewAlarm, "frmSetiRAE1"},
    {"root4", nullptr, "r4", "Internet Options", NodeAction::Panel, nullptr},
    {"4_1", "root4", "4_1", "Atomic Ruriv", NodeAction::Page, "frmSetiAT"},
    {"4_2", "root4", "4_2", "OZR Ruriv Anywhere", NodeAction::Page, "frmSetiEV"},
    {"root6", nullptr, "r6", "About", NodeAction::About, nullptr},
}};
inline constexpr int kLanguageNodeIndex = 6;
inline constexpr int kNewAlarmNodeIndex = 9;
// The node of a page by its Name (0 when no node shows it).
int NodeIndexOfPage(const std::string& pageName);

// The pictures of the tree's image list, under their keys; the nodes take theirs by key.
struct TreePicture {
    const char* key;
    const char* file;
};
inline constexpr std::array<TreePicture, 18> kTreePictures{{
    {"Program Settings", "\\GUI\\Tree\\MainSettings.gif"},
    {"Program Settings GO", "\\GUI\\Tree\\MainSettingsGO.gif"},
    {"Program Settings AV", "\\GUI\\Tree\\MainSettingsAV.gif"},
    {"Program Settings AS", "\\GUI\\Tree\\MainSettingsAS.gif"},
    {"Program Settings DC", "\\GUI\\Tree\\MainSettingsDC.gif"},
    {"Program Settings LA", "\\GUI\\Tree\\MainSettingsLA.gif"},
    {"Alarm Settings", "\\GUI\\Tree\\MainAlarm.gif"},
    {"Alarm Settings AM", "\\GUI\\Tree\\MainAlarmAM.gif"},
    {"Alarm Settings AE", "\\GUI\\Tree\\MainAlarmAE.gif"},
    {"Alarm Settings AL", "\\GUI\\Tree\\MainAlarmAL.gif"},
    {"Alarm Settings OF", "\\GUI\\Tree\\MainAlarmOF.gif"},
    {"Address Book", "\\GUI\\Tree\\MainAddress.gif"},
    {"Internet Options", "\\GUI\\Tree\\MainInternet.gif"},
    {"Atomic Ruriv", "\\GUI\\Tree\\MainAtomic.gif"},
    {"OZR Ruriv Anywhere", "\\GUI\\Tree\\MainAnywhere.gif"},
    {"Plugins", "\\GUI\\Tree\\MainPlugins.gif"},
    {"About", "\\GUI\\Tree\\MainAbout.gif"},
    {"NA", "\\GUI\\Tree\\NA.gif"},
}};

// The section picture the title bar shows beside a section's title, by the text key of its node.
struct SectionPicture {
    const char* textKey;
    const char* file;
};
inline constexpr std::array<SectionPicture, 16> kSectionPictures{{
    {"r1", "\\GUI\\Settings\\MainSettings.bmp"},     {"1_1", "\\GUI\\Settings\\MainSettingsGO.bmp"},
    {"1_2", "\\GUI\\Settings\\MainSettingsAV.bmp"},  {"1_3", "\\GUI\\Settings\\MainSettingsAS.bmp"},
    {"1_4", "\\GUI\\Settings\\MainSettingsDC.bmp"},  {"1_5", "\\GUI\\Settings\\MainSettingsLA.bmp"},
    {"r2", "\\GUI\\Settings\\MainAlarm.bmp"},        {"2_1", "\\GUI\\Settings\\MainAlarmAM.bmp"},
    {"2_2", "\\GUI\\Settings\\MainAlarmAE.bmp"},     {"2_3", "\\GUI\\Settings\\MainAlarmAL.bmp"},
    {"2_4", "\\GUI\\Settings\\MainAlarmOF.bmp"},     {"r3", "\\GUI\\Settings\\MainAddress.bmp"},
    {"r4", "\\GUI\\Settings\\MainInternet.bmp"},     {"r5", "\\GUI\\Settings\\MainPlugins.bmp"},
    {"4_1", "\\GUI\\Settings\\MainAtomic.bmp"},      {"4_2", "\\GUI\\Settings\\MainAnywhere.bmp"},
}};
inline constexpr const char* kNoSectionPicture = "\\GUI\\Settings\\NA.bmp";

// The section picture of a node's text key; the "not available" picture for a key without one.
std::string SectionPictureOf(const std::string& textKey);

// The description panel of a group node: the language keys of its description and of its six
// section lines ("" for an empty line), in section "Program Settings Controls".
struct GroupPanel {
    const char* nodeKey;
    const char* descriptionKey;
    std::array<const char*, 6> sectionKeys;
};
inline constexpr std::array<GroupPanel, 3> kGroupPanels{{
    {"root1",
     "Program Settings Description",
     {"Program Settings Section 1", "Program Settings Section 2", "Program Settings Section 3",
      "Program Settings Section 4", "Program Settings Section 5", ""}},
    {"root2",
     "Alarm Settings Description",
     {"Alarm Settings Section 1", "Alarm Settings Section 2", "Alarm Settings Section 3", "Alarm Settings Section 4",
      "", ""}},
    {"root4", "Internet Options Description", {"Internet Options Section 1", "Internet Options Section 2", "", "", "", ""}},
}};
const GroupPanel* PanelOf(const std::string& nodeKey);

}  // namespace settings
