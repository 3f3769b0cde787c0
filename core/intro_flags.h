// Which greeting windows are open. The main window's keys and commands read them: a key or another
// window asked for closes the first-run window or the splash first.
#pragma once

namespace core {

inline bool IntroShowing = false;  // frmIntro is loaded: the first-run choice or the splash
inline bool TipsShowing = false;   // frmIntroTips is loaded: the tip of the day

// Start-up's two uses of the introduction: the first-run choice (shown modal; it writes RunCount 1
// and the choice) and the greeting (the splash with the tip of the day).
void RunFirstRunIntro();
void StartGreeting();
// Unloads the first-run window or the splash, and with it the tip window.
void UnloadIntro();

}  // namespace core
