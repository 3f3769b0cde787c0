// Recording doubles of what the clock does to the desktop around it: opening documents, closing
// other programs' windows, ending the session or switching off, and the clipboard. Nothing is
// opened, closed or switched off; every request is kept for the test to read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/services/clipboard.h"
#include "platform/services/date_time_settings.h"
#include "platform/services/document_opener.h"
#include "platform/services/other_windows.h"
#include "platform/services/power.h"

namespace testsupport {

struct OpenRequest {
    std::string target;
    int showMode = 0;
    bool operator==(const OpenRequest&) const = default;
};

class RecordingDocumentOpener final : public platform::DocumentOpener {
public:
    bool Open(const std::string& target, int showMode) override;
    std::vector<OpenRequest> requests;
    bool answer = true;  // what Open answers
};

// A desktop of made-up windows; closing one takes it away and keeps its id.
class RecordingOtherWindows final : public platform::OtherWindows {
public:
    std::vector<platform::OtherWindow> List() override { return windows; }
    bool RequestClose(std::uint64_t id) override;
    std::vector<platform::OtherWindow> windows;
    std::vector<std::uint64_t> closed;
};

struct PowerRequest {
    platform::PowerAction action = platform::PowerAction::PowerOff;
    bool forced = false;
    bool operator==(const PowerRequest&) const = default;
};

class RecordingPower final : public platform::PowerControl {
public:
    bool Request(platform::PowerAction action, bool forced) override;
    std::vector<PowerRequest> requests;
};

class RecordingClipboard final : public platform::Clipboard {
public:
    bool SetText(Selection which, const std::string& text) override;
    std::string Text(Selection which) const override;
    std::vector<std::string> texts;  // every text put on the clipboard, in order
    std::string primary;             // the text last selected
};

class RecordingDateTimeSettings final : public platform::DateTimeSettings {
public:
    bool Open() override {
        ++opened;
        return installed;
    }
    int opened = 0;          // how often it was asked for
    bool installed = true;   // what Open answers
};

RecordingDocumentOpener& UseRecordingDocumentOpener();
RecordingDateTimeSettings& UseRecordingDateTimeSettings();
RecordingOtherWindows& UseRecordingOtherWindows();
RecordingPower& UseRecordingPower();
RecordingClipboard& UseRecordingClipboard();

}  // namespace testsupport
