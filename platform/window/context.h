// Process contexts: the program and the shell that owns the taskbar run in one OS process on one
// thread, but every window, timer, hook and drawing object belongs to one of them, and calls that
// the desktop refuses across processes are refused across contexts.
#pragma once

#include "platform/base.h"

namespace platform {

enum class ProcessContext : int { Program = 0, Shell = 1 };
constexpr int kContextCount = 2;

ProcessContext CurrentContext();
const char* ContextName(ProcessContext context);  // "program" or "shell"
DWORD ContextThreadId(ProcessContext context);
DWORD ContextProcessId(ProcessContext context);
DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();

// Runs the enclosed code as the given context (a send into another context does this).
class ContextScope {
public:
    explicit ContextScope(ProcessContext context);
    ~ContextScope();
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;

private:
    ProcessContext saved_;
};

DWORD GetLastError();
void SetLastError(DWORD error);

}  // namespace platform
