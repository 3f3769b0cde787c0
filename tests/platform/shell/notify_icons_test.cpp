// Notification icons: adding and deleting them, the toolbar's answers about its buttons, and the
// chevron for icons that do not fit.
#include <cstring>

#include "shell_test_support.h"

#include "platform/shell/notify_icon.h"

using namespace platform;
using namespace shelltest;

namespace {

NOTIFYICONDATA Icon(std::uint32_t owner, UINT id, const char* tip = nullptr) {
    NOTIFYICONDATA data;
    data.hWnd = HWND{owner};
    data.uID = id;
    data.uFlags = NIF_ICON;
    data.hIcon = HICON{0x500 + id};
    if (tip) {
        data.uFlags |= NIF_TIP;
        std::strncpy(data.szTip, tip, sizeof(data.szTip) - 1);
    }
    return data;
}

TBBUTTON Button(HWND toolbar, int index) {
    TBBUTTON b;
    b.fsStyle = 0x5A;
    b.iString = 0x5A5A;
    EXPECT_TRUE(SendMessage(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b)));
    return b;
}

int ButtonCount(HWND toolbar) { return static_cast<int>(SendMessage(toolbar, TB_BUTTONCOUNT, 0, 0)); }

TEST_F(Shell, IconsAreAddedAndDeletedByWindowAndId) {
    int trayWidth = RectInParent(w.tray).width();
    NOTIFYICONDATA volume = Icon(0x111, 1, "Volume");
    NOTIFYICONDATA bare = Icon(3, 0);  // no tip, and a window that does not exist
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &volume));
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &bare));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &volume));  // the same window and id again
    EXPECT_EQ(ButtonCount(w.toolbar), 2);
    EXPECT_EQ(RectInParent(w.tray).width(), trayWidth + 2 * 18);
    EXPECT_EQ(RectInParent(w.pager).width(), 36);

    TBBUTTON first = Button(w.toolbar, 0), second = Button(w.toolbar, 1);
    EXPECT_EQ(first.fsState, TBSTATE_ENABLED);
    EXPECT_EQ(first.iString, 0);
    EXPECT_EQ(first.idCommand, 1);
    EXPECT_EQ(first.dwData, 0x111u);
    EXPECT_EQ(first.iBitmap, 0x501);
    EXPECT_EQ(first.fsStyle, 0);
    EXPECT_EQ(second.iString, -1);  // no tip
    TBBUTTON untouched;
    EXPECT_FALSE(SendMessage(w.toolbar, TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&untouched)));
    EXPECT_FALSE(SendMessage(w.toolbar, TB_GETBUTTON, 0, 0));

    NOTIFYICONDATA other = Icon(0x111, 2);
    EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &other));
    EXPECT_TRUE(Shell_NotifyIcon(NIM_DELETE, &volume));
    EXPECT_EQ(ButtonCount(w.toolbar), 1);
    EXPECT_EQ(Button(w.toolbar, 0).idCommand, 0);
    EXPECT_EQ(RectInParent(w.tray).width(), trayWidth + 18);

    NOTIFYICONDATA shortRecord = Icon(0x111, 9);
    shortRecord.cbSize = 40;
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &shortRecord));
    EXPECT_FALSE(Shell_NotifyIcon(1, &bare));  // only adding and deleting are offered
    StopShell();
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &volume));  // no taskbar, no icons
}

TEST_F(Shell, IconsBeyondTheTraysRoomWaitBehindTheChevron) {
    EXPECT_EQ(RectInParent(w.chevron).width(), 0);
    for (UINT id = 1; id <= 9; ++id) {
        NOTIFYICONDATA icon = Icon(0x222, id, "tip");
        ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &icon));
    }
    EXPECT_EQ(ButtonCount(w.toolbar), 9);
    EXPECT_EQ(Button(w.toolbar, 7).fsState, TBSTATE_ENABLED);
    EXPECT_EQ(Button(w.toolbar, 8).fsState, TBSTATE_ENABLED | TBSTATE_HIDDEN);
    RECT chevron = RectInParent(w.chevron);
    EXPECT_EQ(chevron.width(), 19);
    EXPECT_EQ(chevron.height(), 19);
    EXPECT_EQ(RectInParent(w.pager), (RECT{19, 4, 19 + 8 * 18, 22}));
    EXPECT_EQ(RectInParent(w.clock).left, 19 + 8 * 18);

    // On a vertical bar the icons wrap in rows of three; the last of each row ends it.
    MoveTaskbarToEdge(TaskbarEdge::Right);
    std::vector<int> states;
    for (int i = 0; i < 9; ++i) states.push_back(Button(w.toolbar, i).fsState);
    const int wrap = TBSTATE_ENABLED | TBSTATE_WRAP, plain = TBSTATE_ENABLED, hidden = TBSTATE_ENABLED | TBSTATE_HIDDEN;
    EXPECT_EQ(states, (std::vector<int>{plain, plain, wrap, plain, plain, wrap, plain, wrap, hidden}));
    EXPECT_EQ(RectInParent(w.pager).height(), 3 * 18);

    NOTIFYICONDATA last = Icon(0x222, 9);
    ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &last));
    EXPECT_EQ(RectInParent(w.chevron).width(), 0);
}

}  // namespace
