// The help file's layout: its sections, the help keys of the pages' controls, and the tips of the
// day.
//
// The file starts with two sections that hold no popup help: its header and "TOTD", the tips of
// the day. Then comes one section per page, in the order of kHelpSections; each page makes its own
// section current on HelpFile when it loads, and ShowHelp reads the current section.
//
// A control's help key is its page number in two digits, its number on the page in two digits and
// its name ("0701chRepetitive"); the help id is the number of the first four characters (701). An
// entry is the title under "S" + key and the text under "S" + key + "T". When the user dismisses an
// entry for good, both keys begin with "H" instead, and ShowHelp no longer finds them
// (help_dismissal.h). Every section that holds entries also holds kSectionMaxIdKey, a number greater
// than every help id of the section, so that a dismissal searches only the sections that may hold
// the id.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

inline constexpr const char* kHelpFileHeader = "Dralo Software Development Ruriv - Help File";
inline constexpr const char* kSectionMaxIdKey = "ThisSectionMaxID";

// Live and dismissed entries: the first character of both keys.
inline constexpr char kLiveHelpMark = 'S';
inline constexpr char kDismissedHelpMark = 'H';
inline constexpr const char* kHelpTextSuffix = "T";

// The pages with popup help and their sections, in file order. The alarm lists page shows no help
// (kNoHelpPage) but keeps its section: the pages that have none make it current.
inline constexpr int kNoHelpPage = -1;
struct HelpSection {
    int page;  // the first two digits of the page's help keys
    const char* name;
};
inline constexpr HelpSection kHelpSections[] = {
    {0, "Popup Help System - Program Settings - Main Window"},
    {1, "Popup Help System - Program Settings - General Options"},
    {2, "Popup Help System - Program Settings - Advanced Settings"},
    {3, "Popup Help System - Program Settings - Aspect"},
    {4, "Popup Help System - Program Settings - Label Customization"},
    {kNoHelpPage, "Popup Help System - Alarm Settings - Alarm Lists"},
    {6, "Popup Help System - Alarm Settings - Alarm Management"},
    {7, "Popup Help System - Alarm Settings - Alarm Warlock Step 1"},
    {8, "Popup Help System - Alarm Settings - Alarm Warlock Step 1A"},
    {9, "Popup Help System - Alarm Settings - Alarm Warlock Step 2"},
    {10, "Popup Help System - Alarm Settings - Alarm Warlock Step 2A"},
    {11, "Popup Help System - Alarm Settings - Alarm Warlock Step 3"},
    {12, "Popup Help System - Alarm Settings - Alarm Warlock Step 3A"},
    {13, "Popup Help System - Alarm Settings - Alarm Warlock Step 4"},
    {16, "Popup Help System - Atomic Ruriv"},
    {17, "Popup Help System - OZR Ruriv Anywhere"},
};

// The help keys of the controls built so far; the help file holds an entry for each. Each page
// adds its controls' keys here when it is built.
inline constexpr const char* kHelpKeys[] = {
    "0001treeO",             // settings window: the section tree
    "0002frmDesc",           // settings window: a group's description panel (and its text)
    "0305optNormal",         // aspect: opaque settings windows
    "0306optTranslucent",    // aspect: translucent settings windows
    "0307scrOpacity",        // aspect: their opacity
    "0309optStandardColor",  // aspect: the Standard colour scheme
    "0310optAlive",          // aspect: the Alive colour scheme
    "0311optMatrix",         // aspect: the Matrix colour scheme
    "0204txtDelayPopup",  // advanced settings: popup help delay box and its two buttons
    "0601flxAlarms",      // alarm manager: the alarm grid
    "0602cmdNew",         // alarm manager: its buttons
    "0603cmdModify",
    "0604cmdDelete",
    "0605cmdTest",
    "0606cmdActivate",
    "0607cmdDeactivate",
    "0608cmdActivateAll",
    "0609cmdSort",
    "0701chRepetitive",   // alarm wizard step 1: the alarm repeats
    "0809cmdClear",       // alarm wizard step 1A: interval boxes to 0
    "0809optDaily",       // alarm wizard step 1A: every day (shares its id with cmdClear)
    // The label page (0404, 0405, 0414 and 0415 are not used).
    "0401ddlLabelClass",
    "0402lstLabels",
    "0403cmdNew",
    "0406cmdDelete",
    "0407chVisible",
    "0408cmdDisplayColor",
    "0409txtX",
    "0410txtY",
    "0411cmdColor",
    "0412cmdTextColor",
    "0413cmdFont",
    "0416txtCLS",
    "0417ddlQuick",
    "0418ddlPre",
    "0419optLeft",
    "0420optCenter",
    "0421optRight",
    // The alarm wizard's schedule and repetition steps.
    "0702chTime",
    "0703txtHour",
    "0704txtMin",
    "0705txtSec",
    "0706txtDay",
    "0707txtMonth",
    "0708ddlMonth",
    "0709txtYear",
    "0710chCountdown",
    "0711txtYears",
    "0712txtMonths",
    "0713txtDays",
    "0714txtHours",
    "0715txtMins",
    "0716txtSecs",
    "0717cmdClear",
    "0718chStartFrom",
    "0719cmdCancel",
    "0720cmdSave",
    "0721cmdNext",
    "0801optIntervalAlarm",
    "0802optDailyAlarm",
    "0803txtYears",
    "0804txtMonths",
    "0805txtDays",
    "0806txtHours",
    "0807txtMins",
    "0808txtSecs",
    "0810optBusiness",
    "0811optWeekends",
    "0812optCustom",
    "0813cmdOk",
    "0814cmdCancel",
    "0815cmdSave",
    "0816chRetroactive",
    "0901txtName",
    "0902txtTitle",
    "0903txtText",
    "0904chWindowless",
    "0905optCenter",
    "0906optHotspot",
    "0907ddlHotspot",
    "0908chSlide",
    "0909optCustom",
    "0910txtX",
    "0911txtY",
    "0912chAutoSize",
    "0913txtWidth",
    "0914txtHeight",
    "0915cmdCancel",
    "0916cmdSave",
    "0917cmdPrevious",
    "0918cmdNext",
    "0919cmdTest",
    "1020cmdTest",
    "1118cmdTest",
    "1316cmdTest",
    // The alarm wizard's special behaviours step; its parameter controls' ids end in the kind.
    "1201ddlBehaviors",
    "1202txt_0",
    "1203cmd_0",
    "1204ch1_0",
    "1205ch2_0",
    "1206ch3_0",
    "1207ch4_0",
    "1202txt_1",
    "1204ch1_1",
    "1205ch2_1",
    "1204ch1_2",
    "1205ch2_2",
    "1208opt1_2",
    "1209opt2_2",
    "1210lstBehaviors",
    "1211cmdAddBehavior",
    "1212cmdUpdateBehavior",
    "1213cmdRemoveBehavior",
    "1214cmdOk",
    "1215cmdCancel",
    "1216cmdSave",
    "1218cmdTestBehavior",
    "1601chEvery",          // time synchronisation: periodic synchronisation
    "1602txtEvery",         // time synchronisation: its minutes box and buttons
    "1603chStartup",        // time synchronisation: at start-up
    "1604ddlServers",       // time synchronisation: the preferred server
    "1605cmdSync",          // time synchronisation: synchronise now
    "1606chTry",            // time synchronisation: try the next server
    "1607chRemember",       // time synchronisation: remember a server that answered
    "1608txtRetries",       // time synchronisation: retries box and buttons
    "1609optAhead",         // time synchronisation: keep the clock ahead
    "1610txtMinutesAhead",  // time synchronisation: minutes ahead box and buttons
    "1611optLate",          // time synchronisation: keep the clock late
    "1612txtMinutesLate",   // time synchronisation: minutes late box and buttons
    "1701ddlServers",       // online storage account: the storage server
    "1702txtUsername",      // online storage account: the user name
    "1703txtPassword",      // online storage account: the password
    "1704optConfirmation",  // online storage account: ask before an older list replaces the local one
    "1705optNothing",       // online storage account: keep the local list
    "1706optOverwrite",     // online storage account: take the older list
};

// The help id of a help key: the number its first four characters make, read as far as they are
// digits.
std::int16_t HelpIdOf(std::string_view helpKey);

// The tips of the day: kSectionMaxIdKey holds the number of the last tip, kTipHeadingKey the heading
// shown above every tip, and tip n is stored under TipKey(n).
inline constexpr const char* kTipsSection = "TOTD";
inline constexpr const char* kTipHeadingKey = "Tip Of The Day";
std::string TipKey(int number);  // 7 -> "007T"

}  // namespace core
