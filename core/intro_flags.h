// IntroShowing and TipsShowing: true while the first-run window or splash, and the tip window,
// are loaded.
#pragma once

namespace core {
inline bool IntroShowing = false;
inline bool TipsShowing = false;
// Unloads the splash or first-run window and the tip window (a key or click on the clock).
void UnloadIntro();
}  // namespace core

namespace core {
// Start-up's two uses of the introduction: the first-run choice (shown modal; it writes RunCount 1
// and the choice), and the greeting (the splash with the tip of the day).
void RunFirstRunIntro();
void StartGreeting();
}  // namespace core
