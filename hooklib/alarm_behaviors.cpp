#include "hooklib/alarm_behaviors.h"

#include <list>

#include "hooklib/clock_protocol.h"
#include "hooklib/ozrclock_exports.h"
#include "hooklib/program_bridge.h"
#include "platform/services/document_opener.h"
#include "platform/services/other_windows.h"
#include "platform/services/power.h"

namespace hooklib {
using namespace platform;

namespace {

// Shutdown for a reason of the "other" group, planned: what the clock tells the system.
constexpr DWORD kShutdownReason = 12;

char FoldAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Folded(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = FoldAsciiLetter(c);
    return out;
}

void OpenDocument(const QueuedBehavior& b) {
    ShellExecute(GetDesktopWindow(), "open", b.Text.c_str(), nullptr, nullptr, OpenShowMode(b));
}

struct CloseSearch {
    const QueuedBehavior* behavior;
    HWND mainWindow;  // the program's: never closed, or the clock would close itself
};

// The clock's own windows that keep it running are left out of the search: its main window and
// the shell's (the taskbar the systray clock lives in). Its alarm windows may close.
bool KeepsTheClockRunning(HWND hwnd, const CloseSearch& search) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    return hwnd == search.mainWindow || process == ContextProcessId(ProcessContext::Shell);
}

BOOL CloseMatchingWindowProc(HWND hwnd, LPARAM lParam) {
    const CloseSearch& search = *reinterpret_cast<const CloseSearch*>(lParam);
    const QueuedBehavior& b = *search.behavior;
    if (!KeepsTheClockRunning(hwnd, search) &&
        TitleMatches(GetWindowTextString(hwnd), b.Text, b.Switch1 != 0, b.Switch2 != 0))
        PostMessage(hwnd, WM_CLOSE, 0, 0);
    return 1;  // every matching window closes, not only the first
}

void CloseWindows(QueuedBehavior& b) {
    if (b.Text.empty()) return;
    // Without case-sensitivity the stored text keeps its folded form from here on.
    if (!b.Switch2) b.Text = Folded(b.Text);
    CloseSearch search{&b, FindWindowEx(HWND{}, HWND{}, nullptr, kMainWindowTitle)};
    EnumWindows(CloseMatchingWindowProc, reinterpret_cast<LPARAM>(&search));
    OtherWindows& others = UseService<OtherWindows>();
    for (const OtherWindow& w : others.List())
        if (TitleMatches(w.title, b.Text, b.Switch1 != 0, b.Switch2 != 0)) others.RequestClose(w.id);
}

// The queue of the calling context (one per process on the desktop the clock was made for).
std::list<QueuedBehavior>* Queues[kContextCount] = {};

std::list<QueuedBehavior>& QueueOfThisContext() {
    auto*& queue = Queues[static_cast<int>(CurrentContext())];
    if (!queue) {
        queue = new std::list<QueuedBehavior>();
        LogDebug("{OZRTriggerSpecialBehavior}: created behaviors");
    }
    return *queue;
}

}  // namespace

int OpenShowMode(const QueuedBehavior& b) {
    if (b.Switch2) return SW_HIDE;
    if (!b.Switch1) return b.Switch3 ? SW_SHOWMINIMIZED : b.Switch4 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    return (b.Switch3 || b.Switch4) ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE;
}

UINT PowerFlags(const QueuedBehavior& b) {
    UINT flags = b.Switch2 ? EWX_REBOOT : b.Switch1 ? EWX_LOGOFF : EWX_POWEROFF;
    if (b.Option == 2) flags |= EWX_FORCE;
    return flags;
}

bool TitleMatches(std::string_view title, std::string_view text, bool exact, bool caseSensitive) {
    if (text.empty()) return false;
    std::string t = caseSensitive ? std::string(title) : Folded(title);
    std::string x = caseSensitive ? std::string(text) : Folded(text);
    return exact ? t == x : t.find(x) != std::string::npos;
}

void RunSpecialBehavior(QueuedBehavior& b) {
    switch (b.Kind) {
        case kOpenDocument: OpenDocument(b); break;
        case kCloseWindows: CloseWindows(b); break;
        case kPower: ExitWindowsEx(PowerFlags(b), kShutdownReason); break;
        default: break;  // nothing to perform
    }
}

std::int32_t TriggerSpecialBehavior(QueuedBehavior behavior) {
    std::list<QueuedBehavior>& queue = QueueOfThisContext();
    behavior.SequenceNumber = static_cast<std::int32_t>(queue.size());
    queue.push_back(std::move(behavior));
    auto record = std::prev(queue.end());
    RunSpecialBehavior(*record);
    // Every record leaves the queue once run, whatever its kind, so the queue cannot grow.
    queue.erase(record);
    return static_cast<std::int32_t>(queue.size());
}

}  // namespace hooklib

using namespace hooklib;

std::int32_t OZRTriggerSpecialBehavior(std::int32_t kind, const char* text, std::int32_t switch1,
                                       std::int32_t switch2, std::int32_t switch3, std::int32_t switch4,
                                       std::int32_t option) {
    QueuedBehavior b;
    b.Kind = kind;
    b.Text = text ? text : "";
    b.Switch1 = static_cast<std::uint8_t>(switch1);
    b.Switch2 = static_cast<std::uint8_t>(switch2);
    b.Switch3 = static_cast<std::uint8_t>(switch3);
    b.Switch4 = static_cast<std::uint8_t>(switch4);
    b.Option = static_cast<std::uint8_t>(option);
    return TriggerSpecialBehavior(std::move(b));
}
