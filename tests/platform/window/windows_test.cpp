// Windows themselves: stacking with the topmost band, positions, look-ups, painting order, input
// routing, message boxes and the window dump.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/present/window_dump.h"
#include "platform/window/input.h"
#include "platform/window/loop.h"
#include "platform/window/message_box.h"
#include "platform/window/window_manager.h"
#include "window_test_support.h"
#include "tests/platform/services/temp_folder.h"
#include "tests/support/test_services.h"

using namespace platform;
using namespace wintest;

namespace {

std::vector<HWND> ZOrder() {
    std::vector<HWND> order;
    for (HWND h = GetWindow(FindWindowEx(HWND{}, HWND{}, nullptr, nullptr), GW_HWNDFIRST); h; h = GetWindow(h, GW_HWNDNEXT))
        order.push_back(h);
    return order;
}

TEST(Stacking, TheTopmostBandStaysInFrontAndNotopmostLeavesIt) {
    HWND a = MakeWindow("Stack", "a");
    HWND b = MakeWindow("Stack", "b");
    HWND c = MakeWindow("Stack", "c");
    EXPECT_EQ(ZOrder(), (std::vector<HWND>{c, b, a}));
    SetWindowPos(a, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(GetWindowLong(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(ZOrder(), (std::vector<HWND>{a, c, b}));
    BringWindowToTop(b);  // an ordinary window cannot pass the topmost band
    EXPECT_EQ(ZOrder(), (std::vector<HWND>{a, b, c}));
    HWND d = MakeWindow("Stack", "d");
    EXPECT_EQ(ZOrder(), (std::vector<HWND>{a, d, b, c}));
    SetWindowPos(a, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // top of the ordinary windows
    EXPECT_FALSE(GetWindowLong(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(ZOrder(), (std::vector<HWND>{a, d, b, c}));
    SetWindowPos(a, c, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // insert after c
    EXPECT_EQ(ZOrder(), (std::vector<HWND>{d, b, c, a}));
    SetWindowPos(d, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(ZOrder(), (std::vector<HWND>{b, c, a, d}));
    for (HWND h : {a, b, c, d}) DestroyWindow(h);
}

TEST(Positions, ThePositionChangingMessageMayAlterTheMoveAndFlagsAreHonoured) {
    HWND parent = MakeWindow("PosParent", "parent", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_DLGFRAME, HWND{}, RECT{100, 100, 400, 300});
    HWND child = MakeWindow("PosChild", "child", WS_CHILD | WS_VISIBLE, parent, RECT{10, 20, 60, 40});
    Reactions()[child.id()] = [](HWND, UINT msg, WPARAM, LPARAM l, LRESULT*) {
        if (msg == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(l)->x = 33;
        return false;
    };
    SetWindowPos(child, HWND{}, 5, 6, 70, 30, SWP_NOZORDER);
    RECT r;
    GetWindowRect(child, &r);
    // 3 px dialog frame and an 18 px caption lie between the parent's corner and its client area.
    EXPECT_EQ(r, (RECT{100 + 3 + 33, 100 + 21 + 6, 100 + 3 + 33 + 70, 100 + 21 + 6 + 30}));
    SetWindowPos(child, HWND{}, 0, 0, 1, 1, SWP_NOZORDER | SWP_NOSIZE | SWP_NOMOVE);
    GetWindowRect(child, &r);
    EXPECT_EQ(r.width(), 70);
    POINT p{0, 0};
    ClientToScreen(child, &p);
    EXPECT_EQ(p, (POINT{136, 127}));
    ScreenToClient(parent, &p);
    EXPECT_EQ(p, (POINT{33, 6}));
    Log().clear();
    MoveWindow(child, 1, 2, 3, 4, 1);
    auto msgs = MessagesTo(child);
    std::vector<UINT> expected{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE};
    EXPECT_EQ(std::vector<UINT>(msgs.begin(), msgs.begin() + 4), expected);
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(child));  // children go with their parent
}

TEST(LookUps, FindWindowByClassAndTitleAndChildrenInOrder) {
    HWND bar = MakeWindow("Shell_TrayWndTest", "");
    HWND notify = MakeWindow("TrayNotifyWndTest", "", WS_CHILD | WS_VISIBLE, bar);
    HWND first = MakeWindow("ButtonTest", "one", WS_CHILD | WS_VISIBLE, notify);
    HWND second = MakeWindow("ButtonTest", "two", WS_CHILD | WS_VISIBLE, notify);
    EXPECT_EQ(FindWindow("Shell_TrayWndTest", nullptr), bar);
    EXPECT_EQ(FindWindowEx(bar, HWND{}, "TrayNotifyWndTest", nullptr), notify);
    EXPECT_EQ(FindWindowEx(notify, HWND{}, "ButtonTest", "one"), first);
    EXPECT_EQ(FindWindowEx(notify, first, "ButtonTest", nullptr), HWND{});  // "two" lies above "one"
    EXPECT_EQ(FindWindowEx(notify, HWND{}, "ButtonTest", nullptr), second);
    EXPECT_EQ(FindWindow(nullptr, "no such title"), HWND{});
    EXPECT_EQ(GetClassNameString(notify), "TrayNotifyWndTest");
    EXPECT_EQ(GetParent(first), notify);
    DestroyWindow(bar);
}

TEST(Painting, ParentsPaintBeforeChildrenAndEachPendingWindowOnce) {
    HWND top = MakeWindow("PaintTop", "top", WS_POPUP | WS_VISIBLE, HWND{}, RECT{0, 0, 200, 100});
    HWND lower = MakeWindow("PaintChild", "lower", WS_CHILD | WS_VISIBLE, top, RECT{10, 10, 60, 60});
    HWND upper = MakeWindow("PaintChild", "upper", WS_CHILD | WS_VISIBLE, top, RECT{40, 10, 90, 60});
    PumpPendingWork();
    Log().clear();
    RECT onlyLower{0, 0, 10, 10};
    InvalidateRect(lower, &onlyLower, 1);  // does not reach "upper"
    PumpPendingWork();
    EXPECT_EQ(PaintsOf(lower), 1);
    EXPECT_EQ(PaintsOf(upper), 0);
    Log().clear();
    InvalidateRect(top, nullptr, 1);
    PumpPendingWork();
    std::vector<HWND> painted;
    for (auto& r : Log())
        if (r.msg == WM_PAINT) painted.push_back(r.hwnd);
    EXPECT_EQ(painted, (std::vector<HWND>{top, lower, upper}));
    // Invalidating the lower sibling where the upper one covers it repaints the upper one after it.
    Log().clear();
    RECT overlap{35, 0, 50, 10};
    InvalidateRect(lower, &overlap, 1);
    PumpPendingWork();
    painted.clear();
    for (auto& r : Log())
        if (r.msg == WM_PAINT) painted.push_back(r.hwnd);
    EXPECT_EQ(painted, (std::vector<HWND>{lower, upper}));
    // Two pieces on either side of the children make one pending area that paints over them both.
    Log().clear();
    RECT left{0, 30, 5, 35}, right{95, 30, 100, 35};
    InvalidateRect(top, &left, 1);
    InvalidateRect(top, &right, 1);
    PumpPendingWork();
    painted.clear();
    for (auto& r : Log())
        if (r.msg == WM_PAINT) painted.push_back(r.hwnd);
    EXPECT_EQ(painted, (std::vector<HWND>{top, lower, upper}));
    DestroyWindow(top);
}

TEST(Input, ClicksGoToTheWindowUnderThePointerAndDoubleClicksNeedTheClassStyle) {
    UseVirtualClock();
    EnsureClass("DblClass", CS_DBLCLKS);
    HWND dbl = CreateWindowEx(0, "DblClass", "dbl", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, HWND{});
    HWND plain = MakeWindow("PlainClass", "plain", WS_POPUP | WS_VISIBLE, HWND{}, RECT{200, 0, 300, 100});
    auto click = [](POINT p) {
        InjectMouseButton(p, MouseButton::Left, true);
        InjectMouseButton(p, MouseButton::Left, false);
        PumpPendingWork();
    };
    Log().clear();
    click({10, 10});
    RunFor(100);
    click({12, 11});  // within the double-click box and time
    // Activated by the click, it comes to the front.
    EXPECT_EQ(MessagesTo(dbl), (std::vector<UINT>{WM_MOUSEACTIVATE, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_ACTIVATE,
                                                  WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
    Log().clear();
    click({210, 10});
    click({210, 10});
    auto msgs = MessagesTo(plain);
    EXPECT_EQ(std::count(msgs.begin(), msgs.end(), static_cast<UINT>(WM_LBUTTONDOWN)), 2);
    EXPECT_EQ(std::count(msgs.begin(), msgs.end(), static_cast<UINT>(WM_LBUTTONDBLCLK)), 0);
    EXPECT_EQ(GetForegroundWindow(), plain);
    // Client coordinates arrive in lParam, the button state in wParam.
    Log().clear();
    InjectMouseButton({250, 40}, MouseButton::Right, true);
    PumpPendingWork();
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log().back().msg, static_cast<UINT>(WM_RBUTTONDOWN));
    EXPECT_EQ(GET_X_LPARAM(Log().back().lParam), 50);
    EXPECT_EQ(GET_Y_LPARAM(Log().back().lParam), 40);
    EXPECT_TRUE(Log().back().wParam & MK_RBUTTON);
    EXPECT_TRUE(GetAsyncKeyState(VK_RBUTTON) & 0x8000);
    InjectMouseButton({250, 40}, MouseButton::Right, false);
    PumpPendingWork();
    // Keys go to the focus window.
    SetFocus(plain);
    Log().clear();
    InjectKey(VK_F2, true);
    InjectKey(VK_F2, false);
    PumpPendingWork();
    EXPECT_EQ(MessagesTo(plain), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
    DestroyWindow(dbl);
    DestroyWindow(plain);
}

// A held key's repeats say so (the previous-state bit, a count of one), its characters too, and
// they reach only the top-level window the key went down on: not the one that has the keyboard
// once that window is done. A fresh press reaches any, also one whose release went elsewhere.
TEST(Input, AHeldKeyRepeatsOnlyOnTheWindowItWentDownOn) {
    UseVirtualClock();
    HWND first = MakeWindow("KeyFirst", "first", WS_POPUP | WS_VISIBLE, HWND{}, RECT{0, 0, 100, 100});
    HWND second = MakeWindow("KeySecond", "second", WS_POPUP | WS_VISIBLE, HWND{}, RECT{200, 0, 300, 100});
    SetFocus(first);
    Log().clear();
    InjectKey(VK_RETURN, true, '\r');
    InjectKey(VK_RETURN, true, '\r');
    PumpPendingWork();
    SetFocus(second);
    InjectKey(VK_RETURN, true, '\r');
    InjectKey(VK_RETURN, false);
    InjectKey(VK_RETURN, true, '\r');
    InjectKeyReleasedElsewhere(VK_RETURN);  // its release went to another program
    InjectKey(VK_RETURN, true, '\r');
    PumpPendingWork();
    struct Key {
        HWND hwnd;
        UINT msg;
        LPARAM data;
        bool operator==(const Key&) const = default;
    };
    std::vector<Key> keys;
    for (const Received& r : Log())
        if (r.msg == WM_KEYDOWN || r.msg == WM_KEYUP || r.msg == WM_CHAR) keys.push_back({r.hwnd, r.msg, r.lParam});
    EXPECT_EQ(keys, (std::vector<Key>{{first, WM_KEYDOWN, 1},
                                      {first, WM_CHAR, 1},
                                      {first, WM_KEYDOWN, 0x40000001},
                                      {first, WM_CHAR, 0x40000001},
                                      {second, WM_KEYUP, 0xC0000001},
                                      {second, WM_KEYDOWN, 1},
                                      {second, WM_CHAR, 1},
                                      {second, WM_KEYDOWN, 1},
                                      {second, WM_CHAR, 1}}));
    InjectKey(VK_RETURN, false);
    PumpPendingWork();
    DestroyWindow(first);
    DestroyWindow(second);
}

// A key that a presenter says came to a window goes there, to its focused control, and makes it the
// active window, whatever the program took as active meanwhile; one that came to a window now gone
// reaches nothing. While another program has the keyboard, none of ours is in front.
TEST(Input, KeysGoToTheWindowTheyCameToAndItsFocusedControl) {
    UseVirtualClock();
    HWND behind = MakeWindow("KeyBehind", "behind", WS_POPUP | WS_VISIBLE, HWND{}, RECT{0, 0, 100, 100});
    HWND row = MakeWindow("KeyRow", "", WS_CHILD | WS_VISIBLE, behind, RECT{0, 0, 50, 20});
    HWND alarm = MakeWindow("KeyAlarm", "alarm", WS_POPUP | WS_VISIBLE, HWND{}, RECT{200, 0, 300, 100});
    HWND field = MakeWindow("KeyField", "", WS_CHILD | WS_VISIBLE, alarm, RECT{0, 0, 50, 20});
    SetFocus(field);
    SetFocus(row);  // the program's idea of the active window: the one behind
    Log().clear();
    InjectKey(VK_DELETE, true, 0, std::nullopt, alarm);
    InjectKey(VK_DELETE, false, 0, std::nullopt, alarm);
    PumpPendingWork();
    EXPECT_EQ(MessagesTo(row), std::vector<UINT>{}) << "nothing reaches the window that does not have the keyboard";
    EXPECT_EQ(MessagesTo(alarm), (std::vector<UINT>{WM_ACTIVATE, WM_KEYDOWN, WM_KEYUP}));
    EXPECT_EQ(GetForegroundWindow(), alarm);
    EXPECT_EQ(GetActiveWindow(), alarm);
    SetFocus(field);
    Log().clear();
    InjectKey(VK_SPACE, true, ' ', std::nullopt, alarm);
    InjectKey(VK_SPACE, true, ' ', std::nullopt, behind);  // a repeat on another window than it went down on
    InjectKey(VK_SPACE, false, 0, std::nullopt, alarm);
    PumpPendingWork();
    EXPECT_EQ(MessagesTo(field), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    EXPECT_EQ(MessagesTo(row), std::vector<UINT>{});
    const HWND gone = MakeWindow("KeyGone", "gone", WS_POPUP | WS_VISIBLE, HWND{}, RECT{400, 0, 500, 100});
    DestroyWindow(gone);
    Log().clear();
    InjectKey(VK_RETURN, true, '\r', std::nullopt, gone);
    InjectKey(VK_RETURN, false, 0, std::nullopt, gone);
    PumpPendingWork();
    EXPECT_TRUE(Log().empty()) << Log().size() << " messages to " << Log().front().hwnd.id();
    WindowManagerFocusElsewhere();
    EXPECT_EQ(GetForegroundWindow(), HWND{});
    EXPECT_EQ(GetActiveWindow(), alarm) << "kept for when the keyboard comes back";
    WindowManagerFocus(alarm);
    EXPECT_EQ(GetForegroundWindow(), alarm);
    DestroyWindow(alarm);
    DestroyWindow(behind);
}

// A captioned window's frame: the buttons its style asks for and what a click on each does, the
// caption moving the window and the borders sizing it; a window manager that moves windows itself
// takes the drags over, and what it asks (focus, minimise, close) reaches the window.
TEST(Frames, CaptionButtonsActTheCaptionMovesAndTheBordersSize) {
    UseVirtualClock();
    const RECT start{100, 100, 400, 300};
    HWND w = MakeWindow("Framed", "framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND{}, start);
    EnsureClass("FramedTool");
    HWND tool = CreateWindowEx(WS_EX_TOOLWINDOW, "FramedTool", "tool", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100, 200,
                               100, HWND{});
    auto hit = [](HWND h, int x, int y) { return SendMessage(h, WM_NCHITTEST, 0, MakePointParam(x, y)); };
    // A thick frame of 4 pixels; 16-pixel buttons, right to left close, maximise, minimise.
    EXPECT_EQ(hit(w, 386, 112), HTCLOSE);
    EXPECT_EQ(hit(w, 368, 112), HTMAXBUTTON);
    EXPECT_EQ(hit(w, 352, 112), HTMINBUTTON);
    EXPECT_EQ(hit(w, 200, 112), HTCAPTION);
    EXPECT_EQ(hit(tool, 686, 112), HTCLOSE);
    EXPECT_EQ(hit(tool, 668, 112), HTCAPTION) << "a tool window has its close box only";

    auto press = [](POINT p, bool down) { InjectMouseButton(p, MouseButton::Left, down); };
    auto drag = [&](POINT from, POINT to) {
        press(from, true);
        InjectMouseMove(POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
        InjectMouseMove(to);
        press(to, false);
        PumpPendingWork();
    };
    auto click = [&](POINT p) { drag(p, p); };
    auto rectOf = [](HWND h) {
        RECT r;
        GetWindowRect(h, &r);
        return r;
    };
    click({352, 112});
    EXPECT_TRUE(IsIconic(w));
    ShowWindow(w, SW_RESTORE);
    click({368, 112});
    EXPECT_TRUE(IsZoomed(w));
    EXPECT_EQ(rectOf(w), (RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
    click({GetSystemMetrics(SM_CXSCREEN) - 32, 12});  // the maximise box restores now
    EXPECT_FALSE(IsZoomed(w));
    EXPECT_EQ(rectOf(w), start);
    drag({386, 112}, {200, 200});  // a press on a button that is released elsewhere does nothing
    EXPECT_TRUE(IsWindow(w));

    drag({200, 112}, {250, 152});
    EXPECT_EQ(rectOf(w), (RECT{150, 140, 450, 340}));
    drag({449, 339}, {479, 359});  // the bottom-right corner
    EXPECT_EQ(rectOf(w), (RECT{150, 140, 480, 360}));
    drag({151, 250}, {470, 250});  // the left border, no narrower than the caption needs
    EXPECT_EQ(rectOf(w), (RECT{480 - 112, 140, 480, 360}));
    MoveWindow(w, start.left, start.top, start.width(), start.height(), 1);

    std::vector<int> edges;
    SetWindowManagerMoveSize([&](HWND, int edge, POINT) {
        edges.push_back(edge);
        return true;
    });
    click({200, 112});
    click({200, 112});  // a double click on the caption stays the program's: it maximises
    EXPECT_TRUE(IsZoomed(w));
    ShowWindow(w, SW_RESTORE);
    drag({200, 112}, {250, 152});
    drag({399, 299}, {420, 320});
    SetWindowManagerMoveSize(nullptr);
    EXPECT_EQ(edges, (std::vector<int>{0, 8}));
    EXPECT_EQ(rectOf(w), start) << "the window manager moves it, not the platform";

    WindowManagerFocus(tool);
    EXPECT_EQ(GetActiveWindow(), tool);
    WindowManagerIconic(w, true);
    EXPECT_TRUE(IsIconic(w));
    WindowManagerIconic(w, false);
    EXPECT_FALSE(IsIconic(w));
    EnableWindow(w, 0);
    WindowManagerClose(w);
    PumpPendingWork();
    EXPECT_TRUE(IsWindow(w)) << "a disabled window ignores the request";
    EnableWindow(w, 1);
    Log().clear();
    WindowManagerClose(w);
    PumpPendingWork();
    EXPECT_TRUE(GotMessage(w, WM_SYSKEYDOWN)) << "it hears Alt+F4";
    EXPECT_FALSE(IsWindow(w));
    click({686, 112});
    EXPECT_FALSE(IsWindow(tool));
}

TEST(MessageBoxes, HeadlessBoxesPrintOneLineAndTakeTheDefaultButton) {
    struct Case {
        UINT type;
        int answer;
    } cases[] = {{16, IDOK}, {4112, IDOK}, {4160, IDOK}, {4132, IDYES}, {4132 | MB_DEFBUTTON2, IDNO}};
    for (auto& c : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(MessageBox(HWND{}, "Line one\r\nLine two", "OZR Ruriv - Error", c.type), c.answer);
        std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(printed, "MessageBox " + std::to_string(c.type) + " \"OZR Ruriv - Error\": Line one\\nLine two\n");
    }
    auto& boxes = testsupport::UseRecordingMessageBoxes();
    boxes.AnswerEveryBoxWith(IDNO);
    EXPECT_EQ(MessageBox(HWND{}, "Sure?", "Question", 4132), IDNO);
    ASSERT_EQ(boxes.Requests().size(), 1u);
    EXPECT_EQ(boxes.Requests()[0].caption, "Question");
    ResetServices();
}

TEST(WindowDump, ListsTopmostFirstWithChildrenAfterTheirParent) {
    HWND back = MakeWindow("DumpBack", "back \"quoted\"", WS_POPUP | WS_VISIBLE, HWND{}, RECT{0, 0, 50, 50});
    HWND front = MakeWindow("DumpFront", "front", WS_POPUP | WS_VISIBLE, HWND{}, RECT{5, 5, 25, 25});
    EXPECT_TRUE(MakeWindow("DumpKid", "kid", WS_CHILD, front, RECT{1, 1, 2, 2}));
    std::string dump = WindowDumpJsonLines();
    auto posFront = dump.find("\"text\":\"front\"");
    auto posKid = dump.find("\"text\":\"kid\"");
    auto posBack = dump.find("back \\\"quoted\\\"");
    ASSERT_NE(posFront, std::string::npos);
    ASSERT_NE(posKid, std::string::npos);
    ASSERT_NE(posBack, std::string::npos);
    EXPECT_LT(posFront, posKid);
    EXPECT_LT(posKid, posBack);
    EXPECT_NE(dump.find("{\"depth\":1,"), std::string::npos);
    EXPECT_NE(dump.find("\"class\":\"DumpKid\",\"name\":\"\",\"text\":\"kid\",\"rect\":[6,6,7,7],\"visible\":false"), std::string::npos);
    DestroyWindow(back);
    DestroyWindow(front);
}

// A title set from another encoding holds bytes that are no UTF-8: the dump must stay valid JSON.
// Python's parser reads the file strictly as UTF-8; the odd bytes come back as the code points of
// the same numbers, the well-formed "é" as itself.
TEST(WindowDump, EscapesBytesThatAreNotUtf8SoAJsonParserReadsEveryLine) {
    HWND odd = MakeWindow("DumpOdd", "caf\xE9 \xFF \xC3\xA9 \x80\xC3", WS_POPUP, HWND{}, RECT{0, 0, 10, 10});
    TempProgramFolder folder;
    ASSERT_TRUE(WriteWindowDump(folder / "dump.jsonl"));
    const std::string check =
        "python3 -c 'import json, sys\n"
        "rows = [json.loads(line) for line in open(sys.argv[1], encoding=\"utf-8\")]\n"
        "sys.exit(0 if [r[\"text\"] for r in rows if r[\"class\"] == \"DumpOdd\"] == [\"caf\\u00e9 \\u00ff \\u00e9 \\u0080\\u00c3\"] else 3)' " +
        folder / "dump.jsonl";
    EXPECT_EQ(std::system(check.c_str()), 0) << folder.Read("dump.jsonl");
    DestroyWindow(odd);
}

}  // namespace
