#include "desktop_harness.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "core/frm_intro.h"
#include "core/program.h"
#include "platform/present/runner.h"
#include "platform/present/window_dump.h"
#include "platform/services/clock.h"
#include "platform/window/loop.h"

namespace desktop {
using namespace platform;
namespace fs = std::filesystem;

namespace {
fs::path MakeFreshFolder() {
    static int counter = 0;
    fs::path folder = fs::temp_directory_path() /
                      ("ozr-desktop-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    fs::remove_all(folder);
    fs::copy(OZR_PROGRAM_DIR, folder, fs::copy_options::recursive);
    // What a run of the build's own program folder wrote is not part of a fresh folder.
    for (const char* written : {"Settings.ozrini", "!debug.dump"}) fs::remove(folder / written);
    return folder;
}
}  // namespace

Desktop::Desktop(DesktopOptions options) : options_(std::move(options)), folder_(MakeFreshFolder()) {
    if (options_.prepare) options_.prepare(folder_);
}

Desktop::~Desktop() {
    ResetServices();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

namespace {
std::function<void()> g_duringFirstRun;
void RunDuringFirstRun(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(HWND{}, id);
    auto action = std::move(g_duringFirstRun);
    if (action) action();
}
}  // namespace

bool Desktop::Start() {
    PlatformOptions o;
    o.presenter = PresenterKind::Headless;
    o.screen = options_.screen;
    o.monitors = options_.monitors;
    std::int64_t start = 0;
    const std::size_t fraction = options_.clock.find('.');
    ParseLocalTimestamp(options_.clock.substr(0, fraction), &start);
    if (fraction != std::string::npos) start += std::stoi(options_.clock.substr(fraction + 1));
    o.virtualStartUtcMs = start;
    StartPlatform(o, folder_.string());
    // The program never touches the session's real autostart entry from a test.
    autostart_ = &testsupport::UseRecordingAutostart();
    if (options_.realNetwork) {
        InstallService<UdpService>(nullptr);
        InstallService<NameLookupService>(nullptr);
        InstallService<HttpService>(nullptr);
    } else {
        udp_ = &testsupport::UseRecordingUdp();
        names_ = &testsupport::UseRecordingNameLookup();
        http_ = &testsupport::UseRecordingHttp();
    }
    dateTime_ = &testsupport::UseRecordingDateTimeSettings();
    if (options_.duringFirstRun) {
        core::IntroDrivenByTest = true;
        g_duringFirstRun = options_.duringFirstRun;
        SetTimer(HWND{}, 0, 200, RunDuringFirstRun);
    }
    started_ = core::StartProgram();
    // A program that ended during start-up has posted its quit: take it, so Ended() tells.
    if (!started_) PumpPendingWork();
    return started_;
}

bool Desktop::Ended() const { return QuitRequested(); }
int Desktop::ExitCode() const { return QuitCode(); }

void Desktop::Advance(std::int64_t ms) { RunFor(ms); }
void Desktop::Pump() { PumpPendingWork(); }

void Desktop::Click(POINT screen, MouseButton button) {
    InjectMouseMove(screen);
    InjectMouseButton(screen, button, true);
    Pump();
    InjectMouseButton(screen, button, false);
    Pump();
}

void Desktop::DoubleClick(POINT screen) {
    Click(screen);
    Advance(50);
    Click(screen);
}

void Desktop::Drag(POINT from, POINT to, int steps) {
    InjectMouseMove(from);
    InjectMouseButton(from, MouseButton::Left, true);
    Advance(20);
    for (int i = 1; i <= steps; ++i) {
        POINT p{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
        InjectMouseMove(p);
        Advance(20);
    }
    InjectMouseButton(to, MouseButton::Left, false);
    Advance(20);
}

void Desktop::Key(int vk, unsigned int character) {
    InjectKey(vk, true, character);
    Pump();
    InjectKey(vk, false);
    Pump();
}

void Desktop::KeyWithModifier(int modifierVk, int vk) {
    InjectKey(modifierVk, true);
    Key(vk);
    InjectKey(modifierVk, false);
    Pump();
}

void Desktop::Type(const std::string& text) {
    for (char c : text) {
        int vk = (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : static_cast<unsigned char>(c);
        Key(vk, static_cast<unsigned char>(c));
    }
}

HWND Desktop::FindByTitle(const std::string& title) const { return FindWindowEx(HWND{}, HWND{}, nullptr, title.c_str()); }
HWND Desktop::FindByClass(const std::string& className) const {
    return FindWindowEx(HWND{}, HWND{}, className.c_str(), nullptr);
}
std::string Desktop::Text(HWND hwnd) const { return GetWindowTextString(hwnd); }
RECT Desktop::Rect(HWND hwnd) const {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}
std::string Desktop::WindowDump() const { return WindowDumpJsonLines(); }

void Desktop::AnswerNextMessageBoxes(std::vector<int> answers) { boxes_.AnswerNext(std::move(answers)); }

fs::path Desktop::PathOf(const std::string& relative) const {
    std::string r = relative;
    for (char& c : r)
        if (c == '\\') c = '/';
    return folder_ / r;
}

bool Desktop::FileExists(const std::string& relative) const { return fs::exists(PathOf(relative)); }

std::string Desktop::ReadFile(const std::string& relative) const {
    std::ifstream in(PathOf(relative), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void Desktop::WriteFile(const std::string& relative, const std::string& content) const {
    fs::create_directories(PathOf(relative).parent_path());
    std::ofstream out(PathOf(relative), std::ios::binary | std::ios::trunc);
    out << content;
}

std::string Desktop::DebugLogText() const { return FileExists("!debug.dump") ? ReadFile("!debug.dump") : ""; }

int Desktop::CountInDebugLog(const std::string& text) const {
    std::string log = DebugLogText();
    int n = 0;
    for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
    return n;
}

}  // namespace desktop
