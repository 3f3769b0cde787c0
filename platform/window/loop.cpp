#include "platform/window/loop.h"

#include <poll.h>

#include <algorithm>
#include <deque>
#include <map>
#include <vector>

#include "platform/services/clock.h"
#include "platform/window/input.h"
#include "platform/window/paint.h"
#include "platform/window/timers.h"
#include "platform/window/window_store.h"

namespace platform {
using namespace detail;

namespace {

struct Posted {
    HWND hwnd;
    DWORD threadId = 0;
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

struct LoopState {
    std::deque<Posted> queue;
    bool quit = false;
    int quitCode = 0;
    struct Source {
        int fd;
        std::function<void()> onReadable;
        std::function<bool()> hasQueued;
    };
    std::map<int, Source> sources;
    int nextSource = 1;
    // Kept between waits, so that waiting allocates nothing.
    std::vector<pollfd> pollFds;
    std::vector<int> pollIds;
    bool waiting = false;
    std::function<void()> present;
    std::int64_t deadline = -1;
    std::function<void()> onDeadline;
};

LoopState& L() {
    static LoopState state;
    return state;
}

bool DispatchOnePosted() {
    auto& q = L().queue;
    if (q.empty()) return false;
    Posted p = q.front();
    q.pop_front();
    if (p.msg == WM_QUIT) {
        L().quit = true;
        L().quitCode = static_cast<int>(p.wParam);
        return true;
    }
    if (p.hwnd) DispatchToWindow(p.hwnd, p.msg, p.wParam, p.lParam);
    return true;
}

// Waits for an outside event for at most timeoutMs (-1: no limit). Returns true when one ran.
bool WaitForEvents(int timeoutMs) {
    for (auto& [id, source] : L().sources) {
        if (source.hasQueued && source.hasQueued()) {
            auto callback = source.onReadable;
            callback();
            return true;
        }
    }
    // A callback may run a nested loop that waits too: only the outermost wait uses the kept lists.
    std::vector<pollfd> nestedFds;
    std::vector<int> nestedIds;
    const bool nested = L().waiting;
    auto& fds = nested ? nestedFds : L().pollFds;
    auto& ids = nested ? nestedIds : L().pollIds;
    struct Waiting {
        bool nested;
        ~Waiting() {
            if (!nested) L().waiting = false;
        }
    } waiting{nested};
    L().waiting = true;
    fds.clear();
    ids.clear();
    for (auto& [id, source] : L().sources) {
        fds.push_back(pollfd{source.fd, POLLIN, 0});
        ids.push_back(id);
    }
    if (fds.empty() && timeoutMs < 0) return false;
    int n = poll(fds.data(), fds.size(), timeoutMs);
    if (n <= 0) return false;
    bool ran = false;
    for (std::size_t i = 0; i < fds.size(); ++i) {
        if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        auto it = L().sources.find(ids[i]);
        if (it == L().sources.end()) continue;
        auto callback = it->second.onReadable;
        callback();
        ran = true;
    }
    return ran;
}

bool CheckDeadline() {
    if (L().deadline < 0 || CurrentClock().MonotonicMs() < L().deadline) return false;
    L().deadline = -1;
    if (L().onDeadline) L().onDeadline();
    return true;
}

// One pass of work in the platform's order: posted messages, paints, timers.
bool DoWork() {
    if (DispatchOnePosted()) return true;
    if (DispatchOneInput()) return true;
    if (PaintPendingWindows()) return true;
    if (FireDueTimers(CurrentClock().MonotonicMs()) > 0) return true;
    return false;
}

// Idles until the next due timer (or the limit), jumping a virtual clock straight there.
void Present() {
    if (L().present) L().present();
}

void Idle(std::int64_t limit) {
    Present();
    Clock& clock = CurrentClock();
    std::int64_t now = clock.MonotonicMs();
    std::int64_t next = NextTimerDue();
    if (L().deadline >= 0 && (next < 0 || L().deadline < next)) next = L().deadline;
    if (limit >= 0 && (next < 0 || limit < next)) next = limit;
    if (clock.IsVirtual()) {
        if (WaitForEvents(0)) return;
        if (next < 0) return;  // nothing will ever happen: the caller decides
        clock.Advance(next - now);
        return;
    }
    int timeout = next < 0 ? -1 : static_cast<int>(std::clamp<std::int64_t>(next - now, 0, 60'000));
    WaitForEvents(timeout);
}

}  // namespace

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !FindOrFail(hwnd)) return 0;
    L().queue.push_back(Posted{hwnd, 0, msg, wParam, lParam});
    return 1;
}

BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
    L().queue.push_back(Posted{HWND{}, threadId, msg, wParam, lParam});
    return 1;
}

void PostQuitMessage(int exitCode) { L().queue.push_back(Posted{HWND{}, 0, WM_QUIT, static_cast<WPARAM>(exitCode), 0}); }

bool QuitRequested() { return L().quit; }
int QuitCode() { return L().quitCode; }
void ResetQuit() { L().quit = false; }

bool PumpPendingWork() {
    bool any = false;
    while (!L().quit && DoWork()) any = true;
    if (CheckDeadline()) any = true;
    return any;
}

int RunMessageLoop() {
    while (!L().quit) {
        if (CheckDeadline()) continue;
        if (DoWork()) continue;
        if (L().deadline < 0 && NextTimerDue() < 0 && L().sources.empty() && L().queue.empty() && !InputPending()) break;  // nothing can ever happen
        Idle(-1);
    }
    return L().quitCode;
}

bool RunModalLoop(const std::function<bool()>& done) {
    while (!done()) {
        if (L().quit) return false;
        if (CheckDeadline()) continue;
        if (DoWork()) continue;
        if (L().deadline < 0 && NextTimerDue() < 0 && L().sources.empty()) return false;  // would wait forever
        Idle(-1);
    }
    return true;
}

void RunUntil(std::int64_t monotonicMs) {
    Clock& clock = CurrentClock();
    while (!L().quit) {
        PumpPendingWork();
        if (L().quit) break;
        std::int64_t now = clock.MonotonicMs();
        if (now >= monotonicMs) {
            Present();
            break;
        }
        if (clock.IsVirtual()) {
            std::int64_t next = NextTimerDue();
            if (WaitForEvents(0)) continue;
            std::int64_t target = (next < 0 || next > monotonicMs) ? monotonicMs : next;
            if (L().deadline >= 0 && L().deadline < target) target = L().deadline;
            clock.Advance(std::max<std::int64_t>(0, target - now));
        } else {
            Idle(monotonicMs);
        }
    }
}

void RunFor(std::int64_t ms) { RunUntil(CurrentClock().MonotonicMs() + ms); }

int AddEventSource(int fd, std::function<void()> onReadable, std::function<bool()> hasQueued) {
    int id = L().nextSource++;
    L().sources[id] = LoopState::Source{fd, std::move(onReadable), std::move(hasQueued)};
    return id;
}

void RemoveEventSource(int id) { L().sources.erase(id); }

void SetPresentHook(std::function<void()> hook) { L().present = std::move(hook); }

void SetRunDeadline(std::int64_t monotonicMs, std::function<void()> onDeadline) {
    L().deadline = monotonicMs;
    L().onDeadline = std::move(onDeadline);
}

}  // namespace platform
