#include "hooklib/label_text_now.h"

#include "hooklib/label_countdown.h"
#include "hooklib/label_render.h"
#include "hooklib/shared_state.h"

namespace hooklib {

LabelMoment LabelMomentNow() {
    LabelMoment moment;
    platform::GetLocalTime(&moment.local);
    moment.local.wMilliseconds = 0;
    const SharedHookState& s = Share();
    moment.secondsLeft = SecondsToNextAlarm(s.NextAlarmSeconds, s.NextAlarmSetSecond,
                                            CountdownSecond(platform::GetTickCount64()));
    return moment;
}

std::string RenderLabelAt(const HookLabel& label, const LabelMoment& moment) {
    return RenderLabel(label, moment.local, moment.secondsLeft);
}

std::string RenderLabelNow(const HookLabel& label) { return RenderLabelAt(label, LabelMomentNow()); }

}  // namespace hooklib
