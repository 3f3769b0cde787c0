// Sending: the hook chain of the receiving thread first, then the window procedure, in the
// receiver's context. Sends are synchronous and re-entrant; payloads that carry pointers are
// copied when they cross into another context.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/window/remote.h"
#include "platform/window/window_store.h"

namespace platform {
using namespace detail;

namespace {

constexpr int kMaxSendDepth = 2000;  // deeper nesting is a runaway loop, refused instead of a crash

struct DepthGuard {
    DepthGuard() { ++S().sendDepth; }
    ~DepthGuard() { --S().sendDepth; }
};

Hook* FindHook(HHOOK handle) {
    for (auto& h : S().hooks)
        if (h->handle == handle && !h->removed) return h.get();
    return nullptr;
}

// Runs the chain from the hook after `after` (or from the newest when after is 0).
LRESULT RunHookChainFrom(HHOOK after, DWORD threadId, int code, WPARAM wParam, LPARAM lParam) {
    auto& hooks = S().hooks;
    // Newest first: the chain is walked from the end of the install order.
    std::size_t i = hooks.size();
    if (after) {
        auto it = std::find_if(hooks.begin(), hooks.end(), [&](auto& h) { return h->handle == after; });
        if (it == hooks.end()) return 0;
        i = static_cast<std::size_t>(it - hooks.begin());
    }
    while (i > 0) {
        --i;
        Hook* h = hooks[i].get();
        if (h->removed || h->kind != WH_CALLWNDPROC || h->threadId != threadId) continue;
        ContextScope scope(h->owner);
        return h->proc(code, wParam, lParam);
    }
    return 0;
}

void PurgeRemovedHooks() {
    auto& hooks = S().hooks;
    if (S().sendDepth == 0)
        hooks.erase(std::remove_if(hooks.begin(), hooks.end(), [](auto& h) { return h->removed; }), hooks.end());
}

}  // namespace

LRESULT detail::DispatchToWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w) return 0;
    WNDPROC proc = ProcFromId(w->procId);
    if (!proc) return 0;
    ContextScope scope(w->context);
    return proc(hwnd, msg, wParam, lParam);
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w) {
        LRESULT result = 0;
        if (IsRemoteWindow(hwnd)) {
            SendRemoteMessage(hwnd, msg, wParam, lParam, &result);
            return result;
        }
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (S().sendDepth >= kMaxSendDepth) return 0;
    DepthGuard depth;

    // Payloads that carry pointers are copied into the receiving context.
    COPYDATASTRUCT copy;
    std::vector<char> copiedBytes;
    std::string copiedText;
    if (w->context != CurrentContext()) {
        if (msg == WM_COPYDATA && lParam) {
            const auto* source = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            copy.dwData = source->dwData;
            copy.cbData = source->cbData;
            if (source->lpData && source->cbData) {
                const char* bytes = static_cast<const char*>(source->lpData);
                copiedBytes.assign(bytes, bytes + source->cbData);
                copy.lpData = copiedBytes.data();
            }
            lParam = reinterpret_cast<LPARAM>(&copy);
        } else if (msg == WM_SETTEXT && lParam) {
            copiedText = reinterpret_cast<const char*>(lParam);
            lParam = reinterpret_cast<LPARAM>(copiedText.c_str());
        }
    }

    DWORD threadId = ContextThreadId(w->context);
    bool hooked = std::any_of(S().hooks.begin(), S().hooks.end(),
                              [&](auto& h) { return !h->removed && h->threadId == threadId; });
    if (hooked) {
        CWPSTRUCT cwp;
        cwp.lParam = lParam;
        cwp.wParam = wParam;
        cwp.message = msg;
        cwp.hwnd = hwnd;
        bool fromOtherThread = threadId != GetCurrentThreadId();
        RunHookChainFrom(HHOOK{}, threadId, HC_ACTION, fromOtherThread ? 1 : 0, reinterpret_cast<LPARAM>(&cwp));
        PurgeRemovedHooks();
        if (!Find(hwnd)) return 0;
    }
    return DispatchToWindow(hwnd, msg, wParam, lParam);
}

LRESULT CallWindowProc(LONG previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = ProcFromId(previous);
    if (!proc) return 0;
    return proc(hwnd, msg, wParam, lParam);
}

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, UINT_PTR, DWORD threadId) {
    if (idHook != WH_CALLWNDPROC || !proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HHOOK{};
    }
    // A hook on one thread only; a hook on every thread (thread id 0) is not offered.
    ProcessContext owner;
    if (threadId == ContextThreadId(ProcessContext::Program))
        owner = ProcessContext::Program;
    else if (threadId == ContextThreadId(ProcessContext::Shell))
        owner = ProcessContext::Shell;
    else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HHOOK{};
    }
    auto hook = std::make_unique<Hook>();
    hook->handle = HHOOK{NewHandleId()};
    hook->kind = idHook;
    hook->proc = proc;
    hook->threadId = threadId;
    hook->owner = owner;
    HHOOK handle = hook->handle;
    S().hooks.push_back(std::move(hook));
    return handle;
}

BOOL UnhookWindowsHookEx(HHOOK handle) {
    Hook* h = FindHook(handle);
    if (!h) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return 0;
    }
    // Marked, not erased: a hook may remove itself while the chain is running.
    h->removed = true;
    PurgeRemovedHooks();
    return 1;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    auto& hooks = S().hooks;
    auto it = std::find_if(hooks.begin(), hooks.end(), [&](auto& h) { return h->handle == hook; });
    if (it == hooks.end()) return 0;
    return RunHookChainFrom(hook, (*it)->threadId, code, wParam, lParam);
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    if (processId) *processId = ContextProcessId(w->context);
    return ContextThreadId(w->context);
}

HWND FindWindow(const char* className, const char* windowName) {
    HWND local = FindWindowEx(HWND{}, HWND{}, className, windowName);
    if (local) return local;
    return FindRemoteWindow(className, windowName);
}

}  // namespace platform
