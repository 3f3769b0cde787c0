// The real program on a real X server: the clock's window appears at its floating position with
// its labels drawn, a pointer drag moves it, and Quit saves the new position.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <chrono>
#include <regex>
#include <set>
#include <sstream>

#include "platform/draw/image.h"
#include "command_output.h"
#include "xvfb_server.h"

namespace fs = std::filesystem;

namespace {

struct Geometry {
    int width = 0, height = 0, x = 0, y = 0;
    bool found = false;
};

// "OZR Ruriv Main Window": ("OZRClock" "OZRClock")  150x50+565+487  +565+487
Geometry MainWindowGeometry(const std::string& display) {
    std::string tree = Capture("DISPLAY=" + display + " timeout 10 xwininfo -root -tree 2>/dev/null");
    std::smatch m;
    Geometry g;
    if (std::regex_search(tree, m, std::regex("\"OZR Ruriv Main Window\".*?(\\d+)x(\\d+)\\+(-?\\d+)\\+(-?\\d+)"))) {
        g = Geometry{std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4]), true};
    }
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
    fs::path folder = fs::temp_directory_path() / ("ozr-x11-clock-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::copy(OZR_PROGRAM_DIR, folder, fs::copy_options::recursive);
    std::ofstream(folder / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n"
                                                 "[Main Settings]\nRunCount=2\nSplash=0\n"
                                                 "[Float Window]\nX=6000\nY=4500\n"
                                                 // no time server is asked, no clock is set
                                                 "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n";
    // However the test ends, the clock does not outlive it (it would hold the test's output open).
    struct ClockProcess {
        pid_t pid = -1;
        ~ClockProcess() {
            if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
        }
    } process;
    pid_t clock = fork();
    if (clock == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        freopen((folder / "clock-output.txt").c_str(), "w", stdout);
        freopen((folder / "clock-output.txt").c_str(), "a", stderr);
        setenv("DISPLAY", server.display().c_str(), 1);
        unsetenv("OZR_PRESENTER");
        unsetenv("OZR_CLOCK");
        std::string exe = (folder / "OZRClock").string();
        execl(exe.c_str(), exe.c_str(), nullptr);
        _exit(127);
    }
    process.pid = clock;
    Geometry g;
    for (int i = 0; i < 100 && !(g = MainWindowGeometry(server.display())).found; ++i) usleep(50'000);
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
        g = MainWindowGeometry(server.display());
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
        moved = MainWindowGeometry(server.display());
        if (moved.x == g.x + 100 && moved.y == g.y + 50) break;
    }
    step("dragged");
    EXPECT_EQ(moved.x, g.x + 100);
    EXPECT_EQ(moved.y, g.y + 50);

    // Quit with Alt+F4 on the clock (the pointer rests on it, so it has the keyboard).
    ASSERT_EQ(server.Run("xdotool key alt+F4"), 0);
    step("Alt+F4 sent");
    int status = -1;
    for (int i = 0; i < 100; ++i) {
        if (waitpid(clock, &status, WNOHANG) == clock) {
            process.pid = -1;
            break;
        }
        usleep(50'000);
    }
    ASSERT_TRUE(process.pid == -1 && WIFEXITED(status)) << "the clock did not end on Alt+F4";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::string settings = ReadFile(folder / "Settings.ozrini");
    EXPECT_NE(settings.find("X=" + std::to_string((g.x + 100) * 15)), std::string::npos) << settings;
    EXPECT_NE(settings.find("Y=" + std::to_string((g.y + 50) * 15)), std::string::npos);
    fs::remove_all(folder);
}

}  // namespace
