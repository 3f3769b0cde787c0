#include "tests/support/recording_desktop_actions.h"

#include "tests/support/install_double.h"

namespace testsupport {
using namespace platform;

bool RecordingDocumentOpener::Open(const std::string& target, int showMode) {
    requests.push_back(OpenRequest{target, showMode});
    return answer;
}

bool RecordingOtherWindows::RequestClose(std::uint64_t id) {
    closed.push_back(id);
    std::erase_if(windows, [id](const OtherWindow& w) { return w.id == id; });
    return true;
}

bool RecordingPower::Request(PowerAction action, bool forced) {
    requests.push_back(PowerRequest{action, forced});
    return true;
}

bool RecordingClipboard::SetText(Selection which, const std::string& text) {
    if (which == Selection::Primary)
        primary = text;
    else
        texts.push_back(text);
    return true;
}

std::string RecordingClipboard::Text(Selection which) const {
    if (which == Selection::Primary) return primary;
    return texts.empty() ? std::string() : texts.back();
}

RecordingDocumentOpener& UseRecordingDocumentOpener() {
    return InstallDouble<DocumentOpener, RecordingDocumentOpener>();
}
RecordingOtherWindows& UseRecordingOtherWindows() { return InstallDouble<OtherWindows, RecordingOtherWindows>(); }
RecordingPower& UseRecordingPower() { return InstallDouble<PowerControl, RecordingPower>(); }
RecordingDateTimeSettings& UseRecordingDateTimeSettings() {
    return InstallDouble<DateTimeSettings, RecordingDateTimeSettings>();
}
RecordingClipboard& UseRecordingClipboard() { return InstallDouble<Clipboard, RecordingClipboard>(); }

}  // namespace testsupport
