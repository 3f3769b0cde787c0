#include "platform/window/context.h"

#include <unistd.h>

namespace platform {
namespace {
ProcessContext g_current = ProcessContext::Program;
DWORD g_lastError = 0;
constexpr DWORD kThreadIds[kContextCount] = {0x0104, 0x0208};
}  // namespace

ProcessContext CurrentContext() { return g_current; }

const char* ContextName(ProcessContext context) { return context == ProcessContext::Shell ? "shell" : "program"; }

DWORD ContextThreadId(ProcessContext context) { return kThreadIds[static_cast<int>(context)]; }

DWORD ContextProcessId(ProcessContext context) {
    // The shell gets an id of its own that no real process of ours has.
    return context == ProcessContext::Shell ? 0x7FFF0001u : static_cast<DWORD>(getpid());
}

DWORD GetCurrentThreadId() { return ContextThreadId(g_current); }
DWORD GetCurrentProcessId() { return ContextProcessId(g_current); }

ContextScope::ContextScope(ProcessContext context) : saved_(g_current) { g_current = context; }
ContextScope::~ContextScope() { g_current = saved_; }

DWORD GetLastError() { return g_lastError; }
void SetLastError(DWORD error) { g_lastError = error; }

}  // namespace platform
