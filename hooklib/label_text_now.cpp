#include "hooklib/label_text_now.h"

#include "hooklib/label_countdown.h"
#include "hooklib/label_render.h"
#include "hooklib/shared_state.h"

namespace hooklib {

std::string RenderLabelNow(const HookLabel& label) {
    platform::SYSTEMTIME now;
    platform::GetLocalTime(&now);
    const SharedHookState& s = Share();
    const std::int64_t left = SecondsToNextAlarm(s.NextAlarmSeconds, s.NextAlarmSetSecond,
                                                 CountdownSecond(platform::GetTickCount64()));
    return RenderLabel(label, now, left);
}

}  // namespace hooklib
