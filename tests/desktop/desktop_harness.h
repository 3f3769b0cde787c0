// The desktop harness: runs the whole program in-process, in a fresh temporary program folder,
// on the headless desktop with a virtual clock. A test advances time, types, clicks, looks at
// windows, answers message boxes and reads the program folder's files.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/recording_autostart.h"
#include "tests/support/recording_http.h"
#include "tests/support/recording_name_lookup.h"
#include "tests/support/recording_udp.h"
#include "platform/window/input.h"
#include "platform/window/message_box.h"
#include "platform/window/window.h"
#include "tests/support/recording_desktop_actions.h"
#include "tests/support/recording_message_boxes.h"

namespace desktop {

struct DesktopOptions {
    // Local time of the virtual clock at start; a ".mmm" after the seconds starts it that many
    // milliseconds into its second.
    std::string clock = "2026-03-01T12:00:00";
    platform::SIZE screen{1280, 1024};
    // The screen cut into monitors (as OZR_MONITORS: X screen places, the primary first).
    std::vector<platform::RECT> monitors = {};
    // Runs on the fresh program folder before the program starts (write settings, remove files...).
    std::function<void(const std::filesystem::path& folder)> prepare = {};
    // When set, the test answers the first-run choice itself: this runs once, 200 ms into the
    // start, while the choice waits (use the Desktop's Click and Key on the intro window).
    std::function<void()> duringFirstRun = {};
    // Off: UDP, name look-ups and HTTP go to recording doubles (Udp(), Names(), Http()) and never
    // leave the process. On: the real services, for peer tests on loopback.
    bool realNetwork = false;
};

class Desktop {
public:
    explicit Desktop(DesktopOptions options = {});
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // Starts the program (frmMain's start-up). False when it ended during start-up.
    bool Start();
    bool Ended() const;
    int ExitCode() const;

    void Advance(std::int64_t ms);  // runs the program for that much clock time
    void Pump();                    // runs what is due now
    void Click(platform::POINT screen, platform::MouseButton button = platform::MouseButton::Left);
    void DoubleClick(platform::POINT screen);
    void Drag(platform::POINT from, platform::POINT to, int steps = 5);
    void Key(int vk, unsigned int character = 0);
    void KeyWithModifier(int modifierVk, int vk);
    void Type(const std::string& text);

    platform::HWND FindByTitle(const std::string& title) const;
    platform::HWND FindByClass(const std::string& className) const;
    std::string Text(platform::HWND hwnd) const;
    platform::RECT Rect(platform::HWND hwnd) const;
    std::string WindowDump() const;

    // Message boxes are recorded and answered: by the scripted answers in order, then by their
    // default button.
    void AnswerNextMessageBoxes(std::vector<int> answers);
    // Runs while each box waits, before it is answered: what a user does meanwhile.
    void WhileMessageBoxShown(std::function<void(const platform::MessageBoxRequest&)> action) {
        boxes_.whileShown = std::move(action);
    }
    const std::vector<platform::MessageBoxRequest>& MessageBoxes() const { return boxes_.Requests(); }

    // The recording network doubles (null with realNetwork).
    testsupport::RecordingUdpService* Udp() const { return udp_; }
    testsupport::RecordingNameLookup* Names() const { return names_; }
    // The desktop's date and time settings: never started, only counted.
    testsupport::RecordingDateTimeSettings* DateTimeSettings() const { return dateTime_; }
    // The autostart entry the settings window's Apply writes or removes.
    testsupport::RecordingAutostart& Autostart() const { return *autostart_; }
    testsupport::RecordingHttp* Http() const { return http_; }

    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path PathOf(const std::string& relative) const;
    bool FileExists(const std::string& relative) const;
    std::string ReadFile(const std::string& relative) const;
    void WriteFile(const std::string& relative, const std::string& content) const;
    // The debug log ("" when there is none) and how often a text stands in it.
    std::string DebugLogText() const;
    int CountInDebugLog(const std::string& text) const;

private:
    DesktopOptions options_;
    std::filesystem::path folder_;
    testsupport::RecordingMessageBoxes& boxes_ = testsupport::UseRecordingMessageBoxes();
    bool started_ = false;
    testsupport::RecordingUdpService* udp_ = nullptr;
    testsupport::RecordingNameLookup* names_ = nullptr;
    testsupport::RecordingDateTimeSettings* dateTime_ = nullptr;
    testsupport::RecordingAutostart* autostart_ = nullptr;
    testsupport::RecordingHttp* http_ = nullptr;
};

// The middle of a rectangle: where a user clicks a control or a window.
inline platform::POINT CentreOf(const platform::RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace desktop
