// Every text the program reads from the language file, by section and key. Each of the four
// language files holds all of them (a test checks it); whoever adds a look-up adds its key here
// and its text to every language file.
#pragma once

namespace core {

struct LanguageKey {
    const char* section;
    const char* key;
};

inline constexpr const char* kGeneralSection = "General";
inline constexpr const char* kAtomicClockSection = "Program Settings Controls - ATOMIC CLOCK";
inline constexpr const char* kAnywhereSection = "Program Settings Controls - OZR CLOCK ANYWHERE";
inline constexpr const char* kSettingsTreeSection = "Program Settings Tree";
inline constexpr const char* kSettingsControlsSection = "Program Settings Controls";
inline constexpr const char* kGeneralOptionsPageSection = "Program Settings Controls - SUB WINDOW GENERAL OPTIONS";
inline constexpr const char* kAdvancedSettingsPageSection = "Program Settings Controls - SUB WINDOW ADVANCED SETTINGS";
inline constexpr const char* kAspectPageSection = "Program Settings Controls - SUB WINDOW ASPECT";
inline constexpr const char* kLanguagePageSection = "Program Settings Controls - SUB WINDOW LANGUAGE";
inline constexpr const char* kAboutWindowSection = "About Window Controls";

inline constexpr LanguageKey kLanguageKeys[] = {
    // Message-box titles: "OZR Ruriv - " and the text.
    {kGeneralSection, "MSGBOX Error"},
    {kGeneralSection, "MSGBOX Warning"},
    {kGeneralSection, "MSGBOX Question"},
    // The library reload watchdog gives up.
    {kGeneralSection, "MSGBOX Error DLL"},
    {kGeneralSection, "MSGBOX Error DLL Missing"},  // %1 the file, %2 why
    // The fixed clock size does not fit the screen and was made smaller.
    {kGeneralSection, "MSGBOX Warning Resolution"},
    // A file of the program could not be saved: while it runs, and at Quit (%1 the file, %2 why).
    {kGeneralSection, "MSGBOX Error Save"},
    {kGeneralSection, "MSGBOX Error Save Quit"},
    // The floating clock when no label is shown.
    {kGeneralSection, "LBL ERR NL"},
    // Time synchronisation: debug-log texts.
    {kAtomicClockSection, "Restarting"},
    {kAtomicClockSection, "Error Host"},
    {kAtomicClockSection, "Offset"},
    {kAtomicClockSection, "Success"},
    {kAtomicClockSection, "Error Timeout"},
    {kAtomicClockSection, "Retrying"},
    {kAtomicClockSection, "Error Retries"},
    // Online alarm storage: its error box and its question.
    {kAnywhereSection, "InvalidCredentials"},
    {kAnywhereSection, "GeneralError"},
    {kAnywhereSection, "Confirmation1"},
    {kAnywhereSection, "Confirmation2"},
    // The settings window: the box when the autostart entry cannot be written.
    {kGeneralSection, "MSGBOX ERR Error"},
    {kGeneralSection, "MSGBOX ERR Reasons"},
    {kGeneralSection, "MSGBOX ERR IOS"},
    {kGeneralSection, "MSGBOX ERR IAE"},
    {kGeneralSection, "MSGBOX ERR APO"},
    // The settings window's tree: the nodes' texts, and those the section pictures are matched with.
    {kSettingsTreeSection, "r1"},
    {kSettingsTreeSection, "1_1"},
    {kSettingsTreeSection, "1_2"},
    {kSettingsTreeSection, "1_3"},
    {kSettingsTreeSection, "1_4"},
    {kSettingsTreeSection, "1_5"},
    {kSettingsTreeSection, "r2"},
    {kSettingsTreeSection, "2_1"},
    {kSettingsTreeSection, "2_2"},
    {kSettingsTreeSection, "2_3"},
    {kSettingsTreeSection, "2_4"},
    {kSettingsTreeSection, "r3"},
    {kSettingsTreeSection, "r4"},
    {kSettingsTreeSection, "r5"},
    {kSettingsTreeSection, "4_1"},
    {kSettingsTreeSection, "4_2"},
    {kSettingsTreeSection, "r6"},
    // The settings window: its buttons, the groups' description panels and its questions.
    {kSettingsControlsSection, "Button Ok"},
    {kSettingsControlsSection, "Button Apply"},
    {kSettingsControlsSection, "Button Cancel"},
    {kSettingsControlsSection, "Program Settings Description"},
    {kSettingsControlsSection, "Program Settings Section 1"},
    {kSettingsControlsSection, "Program Settings Section 2"},
    {kSettingsControlsSection, "Program Settings Section 3"},
    {kSettingsControlsSection, "Program Settings Section 4"},
    {kSettingsControlsSection, "Program Settings Section 5"},
    {kSettingsControlsSection, "Alarm Settings Description"},
    {kSettingsControlsSection, "Alarm Settings Section 1"},
    {kSettingsControlsSection, "Alarm Settings Section 2"},
    {kSettingsControlsSection, "Alarm Settings Section 3"},
    {kSettingsControlsSection, "Alarm Settings Section 4"},
    {kSettingsControlsSection, "Internet Options Description"},
    {kSettingsControlsSection, "Internet Options Section 1"},
    {kSettingsControlsSection, "Internet Options Section 2"},
    {kSettingsControlsSection, "Alarm Cancel Warning"},
    {kSettingsControlsSection, "Alarm Warlock Close Warning"},
    // Apply after the online storage account changed: upload or download.
    {kAnywhereSection, "UserChanged1"},
    {kAnywhereSection, "UserChanged2"},
    {kAnywhereSection, "UserChanged3"},
    // The general options page: its captions, questions, the anchors and its systray refusal.
    {kGeneralOptionsPageSection, "General"},
    {kGeneralOptionsPageSection, "Ruriv Selection"},
    {kGeneralOptionsPageSection, "Floating"},
    {kGeneralOptionsPageSection, "Systray"},
    {kGeneralOptionsPageSection, "Shortcuts"},
    {kGeneralOptionsPageSection, "Shortcut"},
    {kGeneralOptionsPageSection, "Action"},
    {kGeneralOptionsPageSection, "Floating Options"},
    {kGeneralOptionsPageSection, "Always On Top"},
    {kGeneralOptionsPageSection, "Always On Top Full Screen"},
    {kGeneralOptionsPageSection, "Anchor"},
    {kGeneralOptionsPageSection, "Anchor Customization"},
    {kGeneralOptionsPageSection, "Visuals"},
    {kGeneralOptionsPageSection, "Normal"},
    {kGeneralOptionsPageSection, "Transparent"},
    {kGeneralOptionsPageSection, "Translucent"},
    {kGeneralOptionsPageSection, "Color"},
    {kGeneralOptionsPageSection, "Opacity"},
    {kGeneralOptionsPageSection, "Systray Options"},
    {kGeneralOptionsPageSection, "Transparent Mode"},
    {kGeneralOptionsPageSection, "Transparency Warning Message 1 1"},
    {kGeneralOptionsPageSection, "Transparency Warning Message 1 2"},
    {kGeneralOptionsPageSection, "Transparency Warning Message 1 3"},
    {kGeneralOptionsPageSection, "Transparency Warning Message 2 1"},
    {kGeneralOptionsPageSection, "Transparency Warning Message 2 2"},
    {kGeneralOptionsPageSection, "Anchor Warning Message 1"},
    {kGeneralOptionsPageSection, "Anchor Warning Message 2"},
    {kGeneralSection, "Anchor None"},
    {kGeneralSection, "Anchor Upper Left"},
    {kGeneralSection, "Anchor Upper Center"},
    {kGeneralSection, "Anchor Upper Right"},
    {kGeneralSection, "Anchor Right Center"},
    {kGeneralSection, "Anchor Lower Right"},
    {kGeneralSection, "Anchor Lower Center"},
    {kGeneralSection, "Anchor Lower Left"},
    {kGeneralSection, "Anchor Left Center"},
    {kGeneralSection, "MSGBOX Information"},
    {kGeneralSection, "MSGBOX Error Systray Mode - Option Not Available"},
    // The advanced settings page: its captions and questions.
    {kAdvancedSettingsPageSection, "Miscellaneous"},
    {kAdvancedSettingsPageSection, "Auto"},
    {kAdvancedSettingsPageSection, "PopupHelp"},
    {kAdvancedSettingsPageSection, "Splash"},
    {kAdvancedSettingsPageSection, "AlwaysOnTopWindows"},
    {kAdvancedSettingsPageSection, "Tooltip"},
    {kAdvancedSettingsPageSection, "Reset"},
    {kAdvancedSettingsPageSection, "Delay"},
    {kAdvancedSettingsPageSection, "Fade In"},
    {kAdvancedSettingsPageSection, "Fade Out"},
    {kAdvancedSettingsPageSection, "Maximum Opacity"},
    {kAdvancedSettingsPageSection, "Times In Seconds"},
    {kAdvancedSettingsPageSection, "Positioning"},
    {kAdvancedSettingsPageSection, "AutoSize"},
    {kAdvancedSettingsPageSection, "Size"},
    {kAdvancedSettingsPageSection, "Width"},
    {kAdvancedSettingsPageSection, "Height"},
    {kAdvancedSettingsPageSection, "Center"},
    {kAdvancedSettingsPageSection, "Position"},
    {kAdvancedSettingsPageSection, "Left"},
    {kAdvancedSettingsPageSection, "Top"},
    {kAdvancedSettingsPageSection, "Border"},
    {kAdvancedSettingsPageSection, "BLeft"},
    {kAdvancedSettingsPageSection, "BTop"},
    {kAdvancedSettingsPageSection, "SplashAdvice"},
    {kAdvancedSettingsPageSection, "PopupHelpResetQuestion"},
    // The aspect page.
    {kAspectPageSection, "Visual Effects"},
    {kAspectPageSection, "Normal"},
    {kAspectPageSection, "Translucent"},
    {kAspectPageSection, "Opacity"},
    {kAspectPageSection, "Color"},
    {kAspectPageSection, "Standard"},
    // The language page.
    {kLanguagePageSection, "Select Language"},
    {kLanguagePageSection, "Flag"},
    {kLanguagePageSection, "Translate"},
    // The about window.
    {kAboutWindowSection, "Title"},
    {kAboutWindowSection, "Version"},
    {kAboutWindowSection, "Team"},
    {kAboutWindowSection, "Programming"},
    {kAboutWindowSection, "Design"},
    {kAboutWindowSection, "Quality Assurance"},
    {kAboutWindowSection, "OZR"},
    {kAboutWindowSection, "OZR Programming"},
    {kAboutWindowSection, "OZR Design"},
    {kAboutWindowSection, "OZR Quality Assurance"},
    {kAboutWindowSection, "Contact"},
    {kAboutWindowSection, "Contact Info"},
    {kAboutWindowSection, "Contact 1"},
    {kAboutWindowSection, "Contact 2"},
    {kAboutWindowSection, "Thanks"},
    {kAboutWindowSection, "Close"},
    // The time synchronisation page.
    {kAtomicClockSection, "Settings"},
    {kAtomicClockSection, "Synch"},
    {kAtomicClockSection, "Every"},
    {kAtomicClockSection, "Minutes"},
    {kAtomicClockSection, "Startup"},
    {kAtomicClockSection, "Preferred"},
    {kAtomicClockSection, "SynchronizeNow"},
    {kAtomicClockSection, "Timeout"},
    {kAtomicClockSection, "Try"},
    {kAtomicClockSection, "Remember"},
    {kAtomicClockSection, "Retries"},
    {kAtomicClockSection, "Keep"},
    {kAtomicClockSection, "Ahead"},
    {kAtomicClockSection, "Late"},
    // The online storage account page: its captions and its two warnings.
    {kAnywhereSection, "Settings"},
    {kAnywhereSection, "Preferred"},
    {kAnywhereSection, "Username"},
    {kAnywhereSection, "Password"},
    {kAnywhereSection, "Note"},
    {kAnywhereSection, "Older"},
    {kAnywhereSection, "Confirmation"},
    {kAnywhereSection, "Nothing"},
    {kAnywhereSection, "Overwrite"},
    {kAnywhereSection, "Attention"},
    {kAnywhereSection, "PasswordWarning"},
    {kAnywhereSection, "PasswordUnicityWarning"},
};

}  // namespace core
