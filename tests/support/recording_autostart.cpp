#include "tests/support/recording_autostart.h"

#include "tests/support/install_double.h"

namespace testsupport {

bool RecordingAutostart::Enable(const std::string& program) {
    requests.push_back("enable " + program);
    if (answer) enabled = true;
    return answer;
}

bool RecordingAutostart::Disable() {
    requests.push_back("disable");
    if (answer) enabled = false;
    return answer;
}

RecordingAutostart& UseRecordingAutostart() { return InstallDouble<platform::Autostart, RecordingAutostart>(); }

}  // namespace testsupport
