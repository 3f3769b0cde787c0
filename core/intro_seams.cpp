// Until the introduction windows are built, start-up's calls into them do nothing.
#include "core/intro_flags.h"

namespace core {
void UnloadIntro() {}
void RunFirstRunIntro() {}
void StartGreeting() {}
}  // namespace core
