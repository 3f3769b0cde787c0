// The message loop: posted messages, input, paints and timers on the one thread, idle until the
// next due timer or an outside event. Modal loops nest inside it.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/window/window.h"

namespace platform {

// Runs until PostQuitMessage; returns its exit code.
int RunMessageLoop();
// Runs a nested loop until done() is true (checked after each piece of work) or a quit is posted
// (the quit is then left for the outer loop). Returns false when it ended by a quit.
bool RunModalLoop(const std::function<bool()>& done);
// Does every piece of work that is due now, without waiting. Returns true when anything ran.
bool PumpPendingWork();
// Runs the loop until the clock's monotonic time reaches the target (a virtual clock jumps).
void RunUntil(std::int64_t monotonicMs);
// Runs the loop for the given milliseconds of clock time.
void RunFor(std::int64_t ms);
bool QuitRequested();
int QuitCode();
void ResetQuit();

// Outside events (sockets, the X connection): the loop waits on these descriptors as well.
// hasQueued, when given, tells of events already read off the descriptor into a client library's
// own queue: the loop takes those before it waits, since the descriptor will not wake it for them.
int AddEventSource(int fd, std::function<void()> onReadable, std::function<bool()> hasQueued = {});
void RemoveEventSource(int id);

// Waits for outside events only (the descriptors above and tasks handed in), for at most realMs of
// real time, until done() is true; posted messages, input, paints and timers wait meanwhile.
// True when done() came true. For an answer that must come back before the caller can go on (a
// selection's owner handing over its text).
bool AwaitOutsideEvents(const std::function<bool()>& done, int realMs);

// Runs the task on the loop's thread, after what is running now; safe to call from any thread (a
// name look-up finishing on a thread of its own hands its answer over this way).
void PostTask(std::function<void()> task);

// An answer from outside is on its way (a datagram to a request just sent, a name look-up). A real
// clock simply waits for it; a virtual clock, which would otherwise jump straight to the next
// timer, stands still for up to realMs of real time so that a peer on this machine answers at the
// virtual moment it was asked. EndAwait when the answer came or will not come.
int BeginAwait(int realMs);
void EndAwait(int id);

// Whenever the loop has no more work and is about to wait, what was painted is brought to the
// screen (the WindowSurfaces service). PresentNow does it at once: every window that waits for its
// paint is painted and the screen brought up to date, for work that must not start before the
// user sees what came before it (a window that must appear before a slow save).
void PresentNow();

// A bounded run: when the clock's monotonic time reaches the deadline, the run ends through the
// RunEnd service (platform/services/run_end.h) with status 0.
void SetRunDeadline(std::int64_t monotonicMs);

}  // namespace platform
