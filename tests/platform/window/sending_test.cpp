// Sends: nesting and re-entrancy, hook chains, subclassing and the crossing between contexts.
#include <gtest/gtest.h>

#include <cstring>

#include "window_test_support.h"

using namespace platform;
using namespace wintest;

namespace {

constexpr UINT WM_PING = WM_USER + 1;
constexpr UINT WM_PONG = WM_USER + 2;

TEST(Sending, NestedAndReentrantSendsRunInsideTheOuterSend) {
    HWND a = MakeWindow("SendA", "a");
    HWND b = MakeWindow("SendB", "b");
    std::vector<std::string> trace;
    // a forwards PING to b; b answers by sending PONG back to a, which is still inside its PING.
    Reactions()[a.id()] = [&](HWND, UINT msg, WPARAM w, LPARAM, LRESULT* r) {
        if (msg == WM_PING) {
            trace.push_back("a ping " + std::to_string(w));
            *r = SendMessage(b, WM_PING, w + 1, 0) + 1;
            trace.push_back("a ping done");
            return true;
        }
        if (msg == WM_PONG) {
            trace.push_back("a pong");
            *r = 10;
            return true;
        }
        return false;
    };
    Reactions()[b.id()] = [&](HWND, UINT msg, WPARAM w, LPARAM, LRESULT* r) {
        if (msg != WM_PING) return false;
        trace.push_back("b ping " + std::to_string(w));
        *r = SendMessage(a, WM_PONG, 0, 0) * 2;
        return true;
    };
    EXPECT_EQ(SendMessage(a, WM_PING, 1, 0), 21);
    EXPECT_EQ(trace, (std::vector<std::string>{"a ping 1", "b ping 2", "a pong", "a ping done"}));
    DestroyWindow(a);
    DestroyWindow(b);
}

TEST(Sending, RunawayRecursionIsCutInsteadOfCrashing) {
    HWND a = MakeWindow("SendLoop", "loop");
    int depth = 0;
    Reactions()[a.id()] = [&](HWND h, UINT msg, WPARAM, LPARAM, LRESULT* r) {
        if (msg != WM_PING) return false;
        ++depth;
        *r = SendMessage(h, WM_PING, 0, 0);
        return true;
    };
    SendMessage(a, WM_PING, 0, 0);
    EXPECT_GT(depth, 100);
    EXPECT_LT(depth, 100000);
    DestroyWindow(a);
}

TEST(Sending, StaleAndUnknownHandlesAreRefused) {
    HWND a = MakeWindow("Stale", "stale");
    DestroyWindow(a);
    EXPECT_FALSE(IsWindow(a));
    SetLastError(0);
    EXPECT_EQ(SendMessage(a, WM_PING, 0, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(PostMessage(a, WM_PING, 0, 0));
    EXPECT_FALSE(SetWindowPos(a, HWND_TOP, 0, 0, 1, 1, 0));
    RECT r{1, 2, 3, 4};
    EXPECT_FALSE(GetWindowRect(a, &r));
    EXPECT_EQ(GetWindowLong(a, GWL_STYLE), 0);
    EXPECT_EQ(SetWindowLong(HWND{0xDEADBEEF}, GWL_WNDPROC, AddressOf(RecordingProc)), 0);
    EXPECT_FALSE(DestroyWindow(a));
    EXPECT_FALSE(SetTimer(a, 1, 100, nullptr));
    // A new window never receives the old id.
    HWND b = MakeWindow("Stale", "stale2");
    EXPECT_NE(a, b);
    DestroyWindow(b);
}

// Subclass chain: two procedures put in front, each passing on to the one it replaced.
LONG g_firstOld = 0, g_secondOld = 0;
std::vector<std::string> g_chain;
LRESULT FirstSubclass(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_PING) g_chain.push_back("first");
    return CallWindowProc(g_firstOld, h, m, w, l);
}
LRESULT SecondSubclass(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_PING) g_chain.push_back("second");
    return CallWindowProc(g_secondOld, h, m, w, l);
}

TEST(Subclassing, ChainsRunNewestFirstAndUnwindInReverse) {
    HWND a = MakeWindow("Subclassed", "sub");
    LONG original = GetWindowLong(a, GWL_WNDPROC);
    g_firstOld = SetWindowLong(a, GWL_WNDPROC, AddressOf(FirstSubclass));
    g_secondOld = SetWindowLong(a, GWL_WNDPROC, AddressOf(SecondSubclass));
    EXPECT_EQ(g_firstOld, original);
    EXPECT_EQ(g_secondOld, AddressOf(FirstSubclass));
    Log().clear();
    g_chain.clear();
    SendMessage(a, WM_PING, 0, 0);
    EXPECT_EQ(g_chain, (std::vector<std::string>{"second", "first"}));
    EXPECT_TRUE(GotMessage(a, WM_PING));  // the original procedure still ran last
    SetWindowLong(a, GWL_WNDPROC, g_secondOld);
    SetWindowLong(a, GWL_WNDPROC, g_firstOld);
    EXPECT_EQ(GetWindowLong(a, GWL_WNDPROC), original);
    EXPECT_EQ(SetWindowLong(a, GWL_WNDPROC, 12345), 0);  // not a procedure: refused
    DestroyWindow(a);
}

// Hooks.
std::vector<std::string> g_hookTrace;
HHOOK g_hookA, g_hookB;
LRESULT HookA(int code, WPARAM w, LPARAM l) {
    auto* cwp = reinterpret_cast<CWPSTRUCT*>(l);
    if (cwp->message == WM_PING) g_hookTrace.push_back(std::string("A in ") + ContextName(CurrentContext()));
    return CallNextHookEx(g_hookA, code, w, l);
}
LRESULT HookB(int code, WPARAM w, LPARAM l) {
    auto* cwp = reinterpret_cast<CWPSTRUCT*>(l);
    if (cwp->message == WM_PING) {
        g_hookTrace.push_back("B");
        if (cwp->wParam == 99) UnhookWindowsHookEx(g_hookB);  // removes itself inside its own call
    }
    return CallNextHookEx(g_hookB, code, w, l);
}

TEST(Hooks, RunNewestFirstBeforeTheProcedureAndMayRemoveThemselves) {
    HWND shellWindow;
    {
        ContextScope shell(ProcessContext::Shell);
        shellWindow = MakeWindow("HookedShell", "shell window");
    }
    Reactions()[shellWindow.id()] = [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg == WM_PING) g_hookTrace.push_back(std::string("proc in ") + ContextName(CurrentContext()));
        return false;
    };
    DWORD shellThread = GetWindowThreadProcessId(shellWindow, nullptr);
    EXPECT_EQ(shellThread, ContextThreadId(ProcessContext::Shell));
    g_hookA = SetWindowsHookEx(WH_CALLWNDPROC, HookA, 0, shellThread);
    g_hookB = SetWindowsHookEx(WH_CALLWNDPROC, HookB, 0, shellThread);
    ASSERT_TRUE(g_hookA);
    ASSERT_TRUE(g_hookB);
    EXPECT_FALSE(SetWindowsHookEx(WH_CALLWNDPROC, HookA, 0, 0));  // never a hook on every thread

    g_hookTrace.clear();
    SendMessage(shellWindow, WM_PING, 99, 0);
    EXPECT_EQ(g_hookTrace, (std::vector<std::string>{"B", "A in shell", "proc in shell"}));
    g_hookTrace.clear();
    SendMessage(shellWindow, WM_PING, 0, 0);
    EXPECT_EQ(g_hookTrace, (std::vector<std::string>{"A in shell", "proc in shell"}));
    // A program window's messages do not pass the shell thread's hooks.
    HWND programWindow = MakeWindow("NotHooked", "program window");
    g_hookTrace.clear();
    SendMessage(programWindow, WM_PING, 0, 0);
    EXPECT_TRUE(g_hookTrace.empty());
    EXPECT_TRUE(UnhookWindowsHookEx(g_hookA));
    EXPECT_FALSE(UnhookWindowsHookEx(g_hookA));
    {
        ContextScope shell(ProcessContext::Shell);
        DestroyWindow(shellWindow);
    }
    DestroyWindow(programWindow);
}

TEST(Contexts, PayloadsAreCopiedAcrossAndForeignChangesRefused) {
    HWND program = MakeWindow("CopyTarget", "OZR target");
    std::string seenText;
    std::vector<char> seenBytes;
    const void* seenPointer = nullptr;
    Reactions()[program.id()] = [&](HWND, UINT msg, WPARAM, LPARAM l, LRESULT* r) {
        if (msg == WM_COPYDATA) {
            auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(l);
            seenPointer = cds->lpData;
            seenBytes.assign(static_cast<const char*>(cds->lpData), static_cast<const char*>(cds->lpData) + cds->cbData);
            *r = static_cast<LRESULT>(cds->dwData);
            return true;
        }
        if (msg == WM_SETTEXT) {
            seenText = reinterpret_cast<const char*>(l);
            *r = 0;  // refuses the title change, like a window that keeps its title
            return true;
        }
        return false;
    };
    char data[] = "label text";
    COPYDATASTRUCT cds{1002, sizeof(data), data};
    {
        ContextScope shell(ProcessContext::Shell);
        EXPECT_EQ(SendMessage(program, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)), 1002);
        EXPECT_NE(seenPointer, static_cast<const void*>(data));
        EXPECT_EQ(std::string(seenBytes.data()), "label text");
        SendMessage(program, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("{PaintClock}: debug line"));
        EXPECT_EQ(seenText, "{PaintClock}: debug line");
        EXPECT_EQ(GetWindowTextString(program), "OZR target");  // read as stored, title unchanged

        // The shell cannot subclass, destroy or set timers on the program's window.
        SetLastError(0);
        EXPECT_EQ(SetWindowLong(program, GWL_WNDPROC, AddressOf(RecordingProc)), 0);
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
        EXPECT_FALSE(DestroyWindow(program));
        EXPECT_FALSE(SetTimer(program, 7, 100, nullptr));
        EXPECT_EQ(FindWindow(nullptr, "OZR target"), program);  // but it can find it
    }
    // Inside one context the pointer itself arrives.
    SendMessage(program, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    EXPECT_EQ(seenPointer, static_cast<const void*>(data));
    DestroyWindow(program);
}

}  // namespace
