#include "platform/window/detail/timers.h"

#include <map>
#include <queue>
#include <vector>

#include "platform/services/clock.h"
#include "platform/window/error_boundary.h"
#include "platform/window/detail/window_store.h"

namespace platform {
using namespace detail;

namespace {

struct Timer {
    HWND hwnd;
    UINT_PTR id = 0;
    UINT interval = 0;
    TIMERPROC proc = nullptr;
    ProcessContext context = ProcessContext::Program;
    std::int64_t due = 0;
    std::uint64_t generation = 0;
    bool exact = false;  // never kept to the wall clock's seconds
};

struct Due {
    std::int64_t due;
    std::uint64_t order;  // equal due times fire in the order they were set
    std::uint64_t key;
    std::uint64_t generation;
    bool operator>(const Due& o) const { return due != o.due ? due > o.due : order > o.order; }
};

struct Queue {
    std::map<std::uint64_t, Timer> timers;  // key: window id << 32 | timer id, or thread timer key
    std::priority_queue<Due, std::vector<Due>, std::greater<Due>> heap;
    std::uint64_t order = 0;
    std::uint64_t generation = 0;
    UINT_PTR nextThreadTimerId = 0x7FF0;
};

Queue& Q() {
    static Queue q;
    return q;
}

std::uint64_t KeyOf(HWND hwnd, UINT_PTR id, ProcessContext context) {
    // Thread timers are keyed by their context, so that one context cannot reach another's.
    std::uint64_t owner = hwnd ? hwnd.id() : (0xFFFF0000u | static_cast<std::uint32_t>(context));
    return (owner << 32) | (id & 0xFFFFFFFFu);
}

// A one-second interval is due just after a second boundary of the wall clock, so a clock
// showing seconds turns its digit together with the real time. Other intervals (a pause of some
// seconds, a minute counter) and exact timers wait exactly as long as they say.
std::int64_t NextDue(std::int64_t now, UINT interval, bool exact) {
    std::int64_t due = now + interval;
    if (interval != 1000 || exact) return due;
    Clock& clock = CurrentClock();
    std::int64_t wall = clock.UtcMs() + (now - clock.MonotonicMs());
    std::int64_t target = wall + interval;
    std::int64_t aligned = target - ((target % 1000) + 1000) % 1000 + 1;
    if (aligned - wall < static_cast<std::int64_t>(interval) / 2) aligned += 1000;
    return now + (aligned - wall);
}

// Entries of killed or re-set timers stay in the heap until they come up; when they pile up
// (a timer re-set far more often than it fires) the heap is rebuilt from the live timers.
void CompactIfStale() {
    auto& q = Q();
    if (q.heap.size() <= 4 * q.timers.size() + 1024) return;
    decltype(q.heap) fresh;
    for (auto& [key, t] : q.timers) fresh.push(Due{t.due, q.order++, key, t.generation});
    q.heap.swap(fresh);
}

void Schedule(std::uint64_t key, Timer& t) {
    Q().heap.push(Due{t.due, Q().order++, key, t.generation});
    CompactIfStale();
}

}  // namespace

namespace {

UINT_PTR StartTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc, bool exact) {
    Window* w = nullptr;
    if (hwnd) {
        w = FindOrFail(hwnd);
        if (!w) return 0;
        if (w->context != CurrentContext()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
    }
    ProcessContext context = CurrentContext();
    if (!hwnd) {
        // A thread timer: an existing id of this context is reset, otherwise a new id is made.
        if (id == 0 || !Q().timers.count(KeyOf(hwnd, id, context))) id = ++Q().nextThreadTimerId;
    }
    std::uint64_t key = KeyOf(hwnd, id, context);
    Timer& t = Q().timers[key];
    t.hwnd = hwnd;
    t.id = id;
    t.interval = elapseMs < kMinimumTimerMs ? kMinimumTimerMs : elapseMs;
    t.proc = proc;
    t.context = context;
    t.exact = exact;
    t.generation = ++Q().generation;  // setting again restarts the wait
    t.due = NextDue(CurrentClock().MonotonicMs(), t.interval, t.exact);
    Schedule(key, t);
    return hwnd ? (id ? id : 1) : id;
}

}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    return StartTimer(hwnd, id, elapseMs, proc, false);
}

UINT_PTR SetExactTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    return StartTimer(hwnd, id, elapseMs, proc, true);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    if (hwnd) {
        Window* w = Find(hwnd);
        if (w && w->context != CurrentContext()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
    }
    std::uint64_t key = KeyOf(hwnd, id, CurrentContext());
    // Stale heap entries are skipped by their generation when they come up.
    return Q().timers.erase(key) ? 1 : 0;
}

std::int64_t detail::NextTimerDue() {
    auto& heap = Q().heap;
    while (!heap.empty()) {
        const Due& top = heap.top();
        auto it = Q().timers.find(top.key);
        if (it != Q().timers.end() && it->second.generation == top.generation) return top.due;
        heap.pop();
    }
    return -1;
}

int detail::FireDueTimers(std::int64_t now) {
    int fired = 0;
    // Timers set while firing wait for the next pass, so a 15 ms timer cannot starve the loop.
    std::uint64_t orderLimit = Q().order;
    while (true) {
        std::int64_t due = NextTimerDue();
        if (due < 0 || due > now) break;
        Due entry = Q().heap.top();
        if (entry.order >= orderLimit) break;
        Q().heap.pop();
        Timer& t = Q().timers[entry.key];
        t.due = NextDue(now, t.interval, t.exact);
        t.generation = ++Q().generation;
        Schedule(entry.key, t);
        Timer copy = t;
        ++fired;
        ContextScope scope(copy.context);
        if (copy.hwnd && !Find(copy.hwnd)) {
            Q().timers.erase(entry.key);
            continue;
        }
        DWORD tick = GetTickCount();
        if (copy.proc)
            RunGuarded<bool>([&] { return copy.proc(copy.hwnd, WM_TIMER, copy.id, tick), true; },
                             [&] { return "timer " + std::to_string(copy.id) + " of " + DescribeWindowMessage(copy.hwnd, WM_TIMER, copy.id); },
                             false);
        else
            DispatchToWindow(copy.hwnd, WM_TIMER, copy.id, 0);
    }
    return fired;
}

std::size_t detail::LiveTimerCount() { return Q().timers.size(); }

void detail::KillTimersOfWindow(HWND hwnd) {
    auto& timers = Q().timers;
    for (auto it = timers.begin(); it != timers.end();) {
        if (it->second.hwnd == hwnd)
            it = timers.erase(it);
        else
            ++it;
    }
}

}  // namespace platform
