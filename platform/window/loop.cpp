#include "platform/window/loop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <vector>

#include "platform/services/clock.h"
#include "platform/services/run_end.h"
#include "platform/services/window_surfaces.h"
#include "platform/window/context.h"
#include "platform/window/input.h"
#include "platform/window/detail/input.h"
#include "platform/window/detail/paint.h"
#include "platform/window/detail/timers.h"
#include "platform/window/error_boundary.h"
#include "platform/window/detail/window_store.h"

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
        ProcessContext context;  // whose code reads it: the context that asked for it
    };
    std::map<int, Source> sources;
    int nextSource = 1;
    // Kept between waits, so that waiting allocates nothing.
    std::vector<pollfd> pollFds;
    std::vector<int> pollIds;
    bool waiting = false;
    std::chrono::steady_clock::time_point lastLook;  // of a look that does not wait
    std::int64_t deadline = -1;
    std::map<int, std::int64_t> awaits;  // id -> real monotonic deadline (ms)
    int nextAwait = 1;
};

LoopState& L() {
    static LoopState state;
    return state;
}

// Tasks handed in from any thread. Never destroyed: a thread that finishes while the process ends
// must still find it.
struct TaskQueue {
    std::atomic<bool> pending{false};
    std::mutex mutex;
    std::vector<std::function<void()>> tasks;
    int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
};

TaskQueue& Tasks() {
    static TaskQueue* queue = new TaskQueue;
    return *queue;
}

// An outside event is handled by the context that waits for it, whichever context's nested loop
// happens to be running: a signal that comes while the taskbar's own box waits still ends the
// program, as the program.
void TakeEvent(const LoopState::Source& source) {
    auto callback = source.onReadable;  // the callback may remove its own source
    ContextScope scope(source.context);
    callback();
}

// Runs the tasks handed in so far; true when there were any.
bool RunPostedTasks() {
    TaskQueue& q = Tasks();
    if (!q.pending.load()) return false;
    std::vector<std::function<void()>> ready;
    {
        std::lock_guard lock(q.mutex);
        q.pending = false;
        ready.swap(q.tasks);
        std::uint64_t count;
        while (read(q.wake, &count, sizeof count) > 0) {
        }
    }
    // A task is an event's handler like any other: what escapes it is reported, and the loop goes on.
    ContextScope scope(ProcessContext::Program);  // tasks come back from the program's own services
    for (auto& task : ready) {
        RunGuarded<bool>([&task] { task(); return true; }, [] { return std::string("a task handed to the loop"); }, false);
    }
    return !ready.empty();
}

std::int64_t RealMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Real milliseconds still to wait for an awaited answer; 0 when none is awaited any more.
int AwaitWaitMs() {
    std::int64_t now = RealMs(), wait = 0;
    for (auto it = L().awaits.begin(); it != L().awaits.end();) {
        if (it->second <= now) {
            it = L().awaits.erase(it);
        } else {
            wait = wait == 0 ? it->second - now : std::min(wait, it->second - now);
            ++it;
        }
    }
    return static_cast<int>(wait);
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
    if (p.hwnd)
        DispatchToWindow(p.hwnd, p.msg, p.wParam, p.lParam);
    else
        ReportDropped("a thread message nobody takes: message " + std::to_string(p.msg) + " to thread " + std::to_string(p.threadId));
    return true;
}

// Waits for an outside event for at most timeoutMs (-1: no limit). Returns true when one ran.
bool WaitForEvents(int timeoutMs) {
    if (RunPostedTasks()) return true;
    for (auto& [id, source] : L().sources) {
        if (source.hasQueued && source.hasQueued()) {
            TakeEvent(source);
            return true;
        }
    }
    // A callback may run a nested loop that waits too: only the outermost wait uses the kept lists.
    std::vector<pollfd> nestedFds;
    std::vector<int> nestedIds;
    const bool nested = L().waiting;
    // A virtual clock jumps from timer to timer and looks for outside events at each: in real
    // time those arrive no faster for that, so one look per real millisecond is enough.
    if (timeoutMs == 0) {
        const auto now = std::chrono::steady_clock::now();
        if (now - L().lastLook < std::chrono::milliseconds(1)) return false;
        L().lastLook = now;
    }
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
    fds.push_back(pollfd{Tasks().wake, POLLIN, 0});  // tasks handed in from other threads
    ids.push_back(0);
    for (auto& [id, source] : L().sources) {
        fds.push_back(pollfd{source.fd, POLLIN, 0});
        ids.push_back(id);
    }
    int n = poll(fds.data(), fds.size(), timeoutMs);
    if (n <= 0) return false;
    bool ran = (fds[0].revents & POLLIN) && RunPostedTasks();
    for (std::size_t i = 1; i < fds.size(); ++i) {
        if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        auto it = L().sources.find(ids[i]);
        if (it == L().sources.end()) continue;
        TakeEvent(it->second);
        ran = true;
    }
    return ran;
}

bool CheckDeadline() {
    if (L().deadline < 0 || CurrentClock().MonotonicMs() < L().deadline) return false;
    L().deadline = -1;
    UseService<RunEnd>().End(0);
    return true;
}

// One pass of work in the platform's order: posted messages and tasks, input, paints, timers.
bool DoWork() {
    if (DispatchOnePosted()) return true;
    if (RunPostedTasks()) return true;
    if (DispatchOneInput()) return true;
    if (PaintPendingWindows()) return true;
    if (FireDueTimers(CurrentClock().MonotonicMs()) > 0) return true;
    return false;
}

void Present() { UseService<WindowSurfaces>().Present(); }

// Idles until the next due timer (or the limit), jumping a virtual clock straight there.
void Idle(std::int64_t limit) {
    Present();
    Clock& clock = CurrentClock();
    std::int64_t now = clock.MonotonicMs();
    std::int64_t next = NextTimerDue();
    if (L().deadline >= 0 && (next < 0 || L().deadline < next)) next = L().deadline;
    if (limit >= 0 && (next < 0 || limit < next)) next = limit;
    if (clock.IsVirtual()) {
        if (WaitForEvents(AwaitWaitMs())) return;
        if (AwaitWaitMs() > 0) return;  // woken while an answer is still awaited: look again
        if (next < 0) return;  // nothing will ever happen: the caller decides
        clock.Advance(next - now);
        return;
    }
    int timeout = next < 0 ? -1 : static_cast<int>(std::clamp<std::int64_t>(next - now, 0, 60'000));
    WaitForEvents(timeout);
}

}  // namespace

void PresentNow() {
    while (PaintPendingWindows()) {
    }
    Present();
}

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
        if (L().deadline < 0 && NextTimerDue() < 0 && L().sources.empty() && L().awaits.empty() && L().queue.empty() &&
            !InputPending())
            break;  // nothing can ever happen
        Idle(-1);
    }
    return L().quitCode;
}

bool RunModalLoop(const std::function<bool()>& done) {
    while (!done()) {
        if (L().quit) return false;
        if (CheckDeadline()) continue;
        if (DoWork()) continue;
        if (L().deadline < 0 && NextTimerDue() < 0 && L().sources.empty() && L().awaits.empty())
            return false;  // would wait forever
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
            if (WaitForEvents(AwaitWaitMs())) continue;
            if (AwaitWaitMs() > 0) continue;
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
    L().sources[id] = LoopState::Source{fd, std::move(onReadable), std::move(hasQueued), CurrentContext()};
    return id;
}

void RemoveEventSource(int id) { L().sources.erase(id); }

void PostTask(std::function<void()> task) {
    TaskQueue& q = Tasks();
    std::lock_guard lock(q.mutex);
    q.tasks.push_back(std::move(task));
    q.pending = true;
    std::uint64_t one = 1;
    // Fails only when the counter is full, and then the loop is woken already.
    [[maybe_unused]] ssize_t written = write(q.wake, &one, sizeof one);
}

int BeginAwait(int realMs) {
    int id = L().nextAwait++;
    L().awaits[id] = RealMs() + std::max(0, realMs);
    return id;
}

void EndAwait(int id) { L().awaits.erase(id); }

bool AwaitOutsideEvents(const std::function<bool()>& done, int realMs) {
    const std::int64_t deadline = RealMs() + std::max(0, realMs);
    while (!done()) {
        const std::int64_t left = deadline - RealMs();
        if (left <= 0) return false;
        WaitForEvents(static_cast<int>(left));
    }
    return true;
}

void SetRunDeadline(std::int64_t monotonicMs) { L().deadline = monotonicMs; }

}  // namespace platform
