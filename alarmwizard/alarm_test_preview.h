// The Test of the wizard's later steps: the alarm window as the alarm under edit would fire with
// what the step shows, while the alarm under edit itself stays as it was.
#pragma once

#include <functional>

#include "platform/window/window.h"

namespace alarmwizard {

// The id a test window reports when it closes: no alarm of the list.
inline constexpr std::int32_t kTestAlarmId = -1;

// Stores the step (`storeStep`, which also raises the wizard's progress to the step's mark), then
// asks the library for the alarm's window, or, for a windowless alarm, says in an information box
// owned by `owner` that there is no window to show. Afterwards the alarm under edit is what it was
// before, whatever happened; the progress stays raised.
void TestAlarmWindow(platform::HWND owner, const std::function<void()>& storeStep);

}  // namespace alarmwizard
