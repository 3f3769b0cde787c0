// Sending: the hook chain of the receiving thread first, then the window procedure, in the
// receiver's context. Sends are synchronous and re-entrant; payloads that carry pointers are
// copied when they cross into another context.
#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "platform/services/library_loader.h"
#include "platform/services/detail/module_hooks.h"
#include "platform/window/remote.h"
#include "platform/window/detail/remote.h"
#include "platform/window/error_boundary.h"
#include "platform/window/detail/window_store.h"

namespace platform {
using namespace detail;

namespace {

constexpr int kMaxSendDepth = 2000;  // deeper nesting is a runaway loop, refused instead of a crash

struct DepthGuard {
    DepthGuard() { ++S().sendDepth; }
    ~DepthGuard() { --S().sendDepth; }
};

// The module each hook was installed with (by hook id); a hook of module 0 maps nothing.
std::unordered_map<std::uint32_t, std::uint32_t>& HookModules() {
    static std::unordered_map<std::uint32_t, std::uint32_t> modules;
    return modules;
}

std::uint32_t ModuleOf(const Hook& h) {
    auto it = HookModules().find(h.handle.id());
    return it == HookModules().end() ? 0 : it->second;
}

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
        // The hook's library is mapped into the hook's context before its code first runs there.
        if (std::uint32_t module = ModuleOf(*h)) {
            if (!MapModuleForHook(module, h->owner) || h->removed) continue;
        }
        ContextScope scope(h->owner);
        return h->proc(code, wParam, lParam);
    }
    return 0;
}

void PurgeRemovedHooks() {
    auto& hooks = S().hooks;
    if (S().sendDepth != 0) return;
    for (auto& h : hooks)
        if (h->removed) HookModules().erase(h->handle.id());
    hooks.erase(std::remove_if(hooks.begin(), hooks.end(), [](auto& h) { return h->removed; }), hooks.end());
}

LRESULT SendWithinDepth(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace

LRESULT detail::DispatchToWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w) return 0;
    WNDPROC proc = ProcFromId(w->procId);
    if (!proc) return 0;
    ContextScope scope(w->context);
    return RunGuarded<LRESULT>([&] { return proc(hwnd, msg, wParam, lParam); },
                               [&] { return DescribeWindowMessage(hwnd, msg, wParam); }, 0);
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = SendWithinDepth(hwnd, msg, wParam, lParam);
    // A library whose last hook went during the send leaves that context once the send is over.
    if (S().sendDepth == 0) RunPendingModuleDetaches();
    return result;
}

namespace {
LRESULT SendWithinDepth(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
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
    if (S().sendDepth >= kMaxSendDepth) {
        ReportDropped("a send nested deeper than " + std::to_string(kMaxSendDepth) + " was refused: " +
                      DescribeWindowMessage(hwnd, msg, wParam));
        return 0;
    }
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
}  // namespace

namespace {
// Whether a context is hooked changes how its windows are presented (a desktop shows the shell's
// taskbar only while the clock has taken it over), so its top-level windows are told.
void NotifyContextWindows(ProcessContext context) {
    std::vector<HWND> tops = S().topLevels;
    for (HWND top : tops)
        if (Window* w = Find(top); w && w->context == context) NotifyChanged(top);
}
}  // namespace

LRESULT CallWindowProc(LONG previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = ProcFromId(previous);
    if (!proc) return 0;
    return proc(hwnd, msg, wParam, lParam);
}

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, UINT_PTR module, DWORD threadId) {
    if (idHook != WH_CALLWNDPROC || !proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HHOOK{};
    }
    // module: the HMODULE id of the library that holds proc, or 0 for code that is always there.
    if (module && (module > 0xFFFFFFFFu || !IsLoadedModule(static_cast<std::uint32_t>(module)))) {
        SetLastError(ERROR_MOD_NOT_FOUND);
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
    bool wasHooked = AnyHookOnContext(owner);
    S().hooks.push_back(std::move(hook));
    if (module) HookModules()[handle.id()] = static_cast<std::uint32_t>(module);
    if (!wasHooked) NotifyContextWindows(owner);
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
    ProcessContext owner = h->owner;
    if (std::uint32_t module = ModuleOf(*h); module && !ModuleHasLiveHooks(module, h->owner))
        HookOfModuleRemoved(module, h->owner);
    PurgeRemovedHooks();
    if (S().sendDepth == 0) RunPendingModuleDetaches();
    if (!AnyHookOnContext(owner)) NotifyContextWindows(owner);
    return 1;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    auto& hooks = S().hooks;
    auto it = std::find_if(hooks.begin(), hooks.end(), [&](auto& h) { return h->handle == hook; });
    if (it == hooks.end()) return 0;
    return RunHookChainFrom(hook, (*it)->threadId, code, wParam, lParam);
}

bool detail::ModuleHasLiveHooks(std::uint32_t moduleId, ProcessContext context) {
    return std::any_of(S().hooks.begin(), S().hooks.end(),
                       [&](auto& h) { return !h->removed && h->owner == context && ModuleOf(*h) == moduleId; });
}

bool detail::ModuleHasLiveHooksAnywhere(std::uint32_t moduleId) {
    return std::any_of(S().hooks.begin(), S().hooks.end(),
                       [&](auto& h) { return !h->removed && ModuleOf(*h) == moduleId; });
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
    return FindWindowOfOtherCopy(className, windowName);
}

}  // namespace platform

namespace platform::detail {
bool AnyHookOnContext(ProcessContext context) {
    DWORD thread = ContextThreadId(context);
    for (auto& h : S().hooks)
        if (!h->removed && h->threadId == thread) return true;
    return false;
}
}  // namespace platform::detail
