#include "platform/window/outside_ends.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

#include "platform/services/message_boxes.h"
#include "platform/services/run_end.h"
#include "platform/window/error_boundary.h"
#include "platform/window/loop.h"

namespace platform {
namespace {

struct OutsideEnds {
    std::function<void()> quit;
    std::function<void()> save;
    int pipe[2] = {-1, -1};  // the signal handler's word to the loop
};

OutsideEnds& E() {
    static OutsideEnds ends;
    return ends;
}

// Set by the handler and seen by the loop at its next turn, also where it looks at its descriptors
// only now and then (a virtual clock's run).
volatile std::sig_atomic_t g_endRequested = 0;

// Only what is safe in a signal handler: the flag, and one byte into the pipe, which wakes the loop.
void NoteEndRequest(int) {
    const int saved = errno;
    g_endRequested = 1;
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(E().pipe[1], &byte, 1);
    errno = saved;
}

void TakeEndRequests() {
    char bytes[64];
    bool requested = g_endRequested != 0;
    g_endRequested = 0;
    while (::read(E().pipe[0], bytes, sizeof bytes) > 0) requested = true;
    if (requested && E().quit) E().quit();
}

}  // namespace

void OnEndRequest(std::function<void()> quit) {
    E().quit = std::move(quit);
    if (E().pipe[0] >= 0 || ::pipe2(E().pipe, O_NONBLOCK | O_CLOEXEC) != 0) return;
    AddEventSource(E().pipe[0], TakeEndRequests, [] { return g_endRequested != 0; });
    struct sigaction action {};
    action.sa_handler = NoteEndRequest;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) sigaction(signal, &action, nullptr);
}

void OnEndWithoutLoop(std::function<void()> save) { E().save = std::move(save); }

void EndWithoutDisplay() {
    InstallService<MessageBoxes>(nullptr);  // the real boxes print on standard error
    if (E().save)
        RunGuarded<bool>([] { E().save(); return true; }, [] { return std::string("the saves at the display's loss"); }, false);
    UseService<RunEnd>().End(1);
}

}  // namespace platform
