// The real program on a real X server: the clock's window appears at its floating position with
// its labels drawn, a pointer drag moves it, and Quit saves the new position; Quit does not wait
// for a download that a silent storage server leaves hanging; the ends a session uses save as
// Quit does.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <chrono>
#include <ctime>
#include <regex>
#include <set>
#include <sstream>

#include "platform/draw/image.h"
#include "clock_process.h"
#include "command_output.h"
#include "xvfb_server.h"

// X11 last: its macros would break the headers above.
#include <X11/Xlib.h>

namespace fs = std::filesystem;

namespace {

struct Geometry {
    int width = 0, height = 0, x = 0, y = 0;
    bool found = false;
};

// "OZR Ruriv Main Window": ("OZRClock" "OZRClock")  150x50+565+487  +565+487
Geometry MainWindowGeometry(const XvfbServer& server) {
    std::string tree = server.Output("xwininfo -root -tree");
    std::smatch m;
    Geometry g;
    if (std::regex_search(tree, m, std::regex("\"OZR Ruriv Main Window\".*?(\\d+)x(\\d+)\\+(-?\\d+)\\+(-?\\d+)"))) {
        g = Geometry{std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4]), true};
    }
    return g;
}

// The main window once it is mapped; a loaded machine (a whole test run beside it) can take
// seconds to start a program.
Geometry MappedMainWindow(const XvfbServer& server) {
    Geometry g;
    for (int i = 0; i < 400 && !(g = MainWindowGeometry(server)).found; ++i) usleep(50'000);
    return g;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

TEST(X11Clock, ShowsItsWindowFollowsADragAndSavesThePositionOnQuit) {
    auto step = [start = std::chrono::steady_clock::now()](const char* what) {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::fprintf(stderr, "[%6lld ms] %s\n", static_cast<long long>(ms.count()), what);
    };
    XvfbServer server;
    ASSERT_TRUE(server.running());
    step("X server up");
    ClockProcess clock(server, "x11-clock",
                       "[Dralo Software Development Ruriv - Settings File]\n"
                       "[Main Settings]\nRunCount=2\nSplash=0\n"
                       "[Float Window]\nX=6000\nY=4500\n"
                       // no time server is asked, no clock is set
                       "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n");
    const fs::path& folder = clock.folder();
    Geometry g = MappedMainWindow(server);
    ASSERT_TRUE(g.found);
    step("clock window mapped");
    EXPECT_EQ(g.x, 400);  // 6000 twips
    EXPECT_EQ(g.y, 300);
    // The labels arrive and are laid out: the window's area holds more than its background colour.
    std::string shot = (folder / "screen.png").string();
    std::set<platform::Pixel> colours;
    for (int attempt = 0; attempt < 20 && colours.size() < 3; ++attempt) {
        usleep(250'000);
        ASSERT_EQ(server.Run("import -window root " + shot), 0);
        g = MainWindowGeometry(server);
        platform::DecodedImage image = platform::LoadImageFile(shot);
        ASSERT_TRUE(image.surface);
        colours.clear();
        for (int y = g.y; y < g.y + g.height; ++y)
            for (int x = g.x; x < g.x + g.width; ++x) colours.insert(image.surface->at(x, y) & 0xFFFFFF);
    }
    step("screenshot taken");
    EXPECT_GE(colours.size(), 3u) << "the clock window shows no text";

    // Drag by 100 to the right and 50 down.
    int fromX = g.x + 10, fromY = g.y + g.height / 2;
    ASSERT_EQ(server.Run("xdotool mousemove " + std::to_string(fromX) + " " + std::to_string(fromY) +
                         " mousedown 1 sleep 0.2 mousemove " + std::to_string(fromX + 50) + " " +
                         std::to_string(fromY + 25) + " sleep 0.2 mousemove " + std::to_string(fromX + 100) + " " +
                         std::to_string(fromY + 50) + " sleep 0.3 mouseup 1"),
              0);
    Geometry moved;
    for (int attempt = 0; attempt < 20; ++attempt) {
        usleep(100'000);
        moved = MainWindowGeometry(server);
        if (moved.x == g.x + 100 && moved.y == g.y + 50) break;
    }
    step("dragged");
    EXPECT_EQ(moved.x, g.x + 100);
    EXPECT_EQ(moved.y, g.y + 50);

    // Quit with Alt+F4 on the clock (the pointer rests on it, so it has the keyboard).
    ASSERT_EQ(server.Run("xdotool key alt+F4"), 0);
    step("Alt+F4 sent");
    int status = -1;
    ASSERT_TRUE(clock.WaitForEnd(&status) && WIFEXITED(status)) << "the clock did not end on Alt+F4";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::string settings = ReadFile(folder / "Settings.ozrini");
    EXPECT_NE(settings.find("X=" + std::to_string((g.x + 100) * 15)), std::string::npos) << settings;
    EXPECT_NE(settings.find("Y=" + std::to_string((g.y + 50) * 15)), std::string::npos);
}

// The storage server takes the connection and the request and never answers: the clock still
// ends at once on Alt+F4, long before the download's 15 s time-out.
TEST(X11Clock, QuitsAtOnceWhileTheDownloadWaitsForASilentServer) {
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), size), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);

    XvfbServer server;
    ASSERT_TRUE(server.running());
    ClockProcess clock(server, "x11-silent-storage",
                       "[Dralo Software Development Ruriv - Settings File]\n"
                       "[Main Settings]\nRunCount=2\nSplash=0\n[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n"
                       "[OZR Ruriv Anywhere]\nServerURL=http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) +
                       "/\nUsername=ann\nPassword=0cc175b9c0f1b6a831c399e269772661\n");
    pollfd waiting{listener, POLLIN, 0};
    ASSERT_EQ(poll(&waiting, 1, 20'000), 1) << "the clock did not ask the storage server";
    const int connection = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    std::string request;
    char buffer[1024];
    pollfd reading{connection, POLLIN, 0};
    while (request.find("\r\n\r\n") == std::string::npos && poll(&reading, 1, 10'000) == 1) {
        const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    EXPECT_TRUE(request.starts_with("GET /Retrieve.php?user=ann&pass=")) << request;

    Geometry g = MappedMainWindow(server);
    ASSERT_TRUE(g.found);
    ASSERT_EQ(server.Run("xdotool mousemove " + std::to_string(g.x + g.width / 2) + " " + std::to_string(g.y + g.height / 2) +
                         " key alt+F4"),
              0);
    int status = -1;
    EXPECT_TRUE(clock.WaitForEnd(&status) && WIFEXITED(status)) << "the clock waited for the download";
    close(connection);
    close(listener);
}

// Local time as the alarm files write it, some seconds from now.
std::string LocalTimeIn(int seconds) {
    const std::time_t t = std::time(nullptr) + seconds;
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

// Watches the X server for a new top-level window of that name; true at once when one has it
// (up to 30 s). A window is named just after it is made, so a new window is watched for its name.
bool WaitForNewWindowNamed(Display* display, const std::string& name) {
    const Atom wmName = XInternAtom(display, "WM_NAME", False);
    auto named = [&](::Window w) {
        char* title = nullptr;
        const bool same = XFetchName(display, w, &title) && title && name == title;
        if (title) XFree(title);
        return same;
    };
    for (auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30); std::chrono::steady_clock::now() < until;) {
        while (XPending(display) > 0) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type == CreateNotify) {
                XSelectInput(display, e.xcreatewindow.window, PropertyChangeMask);
                if (named(e.xcreatewindow.window)) return true;
            } else if (e.type == PropertyNotify && e.xproperty.atom == wmName && named(e.xproperty.window)) {
                return true;
            }
        }
        pollfd waiting{ConnectionNumber(display), POLLIN, 0};
        poll(&waiting, 1, 100);
    }
    return false;
}

// The ends a desktop session uses, each a few milliseconds after a one-time alarm fired (its
// window is on the screen, its save still waits for its timer): the alarm is passed in its file,
// the settings are saved, and a request to end ends the clock as Quit does.
TEST(X11Clock, EveryEndOfTheSessionKeepsTheAlarmJustFiredAndTheSettings) {
    const struct {
        const char* end;
        int signal;  // 0: the X server ends
        int status;
    } kEnds[] = {{"SIGTERM", SIGTERM, 0}, {"SIGHUP", SIGHUP, 0}, {"the X server's end", 0, 1}};
    for (const auto& end : kEnds) {
        SCOPED_TRACE(end.end);
        XvfbServer server;
        ASSERT_TRUE(server.running());
        Display* watcher = XOpenDisplay(server.display().c_str());
        ASSERT_TRUE(watcher);
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // a window may go while it is asked about
        XSelectInput(watcher, DefaultRootWindow(watcher), SubstructureNotifyMask);
        XFlush(watcher);
        const std::string fire = LocalTimeIn(4);
        ClockProcess clock(server, "x11-session-end",
                           "[Dralo Software Development Ruriv - Settings File]\n"
                           "[Main Settings]\nRunCount=2\nSplash=0\n[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n",
                           [&](const fs::path& folder) {
                               std::ofstream(folder / "Alarms/!AlarmMaster.ozrini") << "[Master Playlist]\n1=MyAlarms.ozrini\n";
                               std::ofstream(folder / "Alarms/MyAlarms.ozrini")
                                   << "[Dralo Software Development Ruriv - Alarm Playlist File]\n"
                                      "[Collection: MyAlarms.ozrini]\nK1=Wake\n[ZTVALR: K1]\nFLAG=1\nNAME=Wake\nFIRE="
                                   << fire << "\nOriginalDate=" << fire << "\nTitle=Session end alarm\nText=Now\nW=200\nH=100\n";
                           });
        ASSERT_TRUE(WaitForNewWindowNamed(watcher, "Session end alarm"));
        const auto settingsWritten = fs::last_write_time(clock.folder() / "Settings.ozrini");
        XCloseDisplay(watcher);
        if (end.signal)
            clock.Signal(end.signal);
        else
            server.Stop();
        int status = -1;
        ASSERT_TRUE(clock.WaitForEnd(&status));
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == end.status) << status;
        EXPECT_NE(ReadFile(clock.folder() / "Alarms/MyAlarms.ozrini").find("FLAG=2"), std::string::npos)
            << "the alarm would ring again";
        EXPECT_GT(fs::last_write_time(clock.folder() / "Settings.ozrini"), settingsWritten) << "the settings were not saved";
    }
}

}  // namespace
