#include "alarmwizard/alarm_test_preview.h"

#include <string>

#include "core/alarm.h"
#include "core/alarm_window.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "platform/window/message_box.h"

namespace alarmwizard {

namespace {

constexpr platform::UINT kInformationBox = platform::MB_OK | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL;

// Puts the alarm under edit back as it was when made, also when the store or the library throws.
class RestoredAlarmUnderEdit {
public:
    RestoredAlarmUnderEdit() : saved_(core::AlarmUnderEdit) {}
    ~RestoredAlarmUnderEdit() { core::AlarmUnderEdit = std::move(saved_); }
    RestoredAlarmUnderEdit(const RestoredAlarmUnderEdit&) = delete;
    RestoredAlarmUnderEdit& operator=(const RestoredAlarmUnderEdit&) = delete;

private:
    core::Alarm saved_;
};

void SayThereIsNoWindow(platform::HWND owner) {
    // This box's title has no dash, unlike the wizard's other boxes.
    const std::string title = "OZR Ruriv " + core::LanguageFile.ReadText(core::kGeneralSection, "MSGBOX Information");
    const std::string text = core::LanguageFile.ReadText(core::kGeneralSection, "MSGBOX Warning Test Alarm");
    platform::MessageBox(owner, text.c_str(), title.c_str(), kInformationBox);
}

}  // namespace

// The windowless alarm is restored too: the side steps' Cancel promises to drop what was shown.
void TestAlarmWindow(platform::HWND owner, const std::function<void()>& storeStep) {
    const RestoredAlarmUnderEdit restore;
    storeStep();
    if (core::AlarmUnderEdit.Flags & core::kAlarmWindowless)
        SayThereIsNoWindow(owner);
    else
        core::ShowAlarmWindow(kTestAlarmId, core::AlarmUnderEdit);
}

}  // namespace alarmwizard
