// Window pixels reach a real X server (Xvfb): only the rectangle asked for is sent, small areas
// through the connection and large ones through shared memory, and both arrive whole.
#include <gtest/gtest.h>

#include "platform/draw/surface.h"
#include "platform/present/detail/x11_pixels.h"
#include "xvfb_server.h"

// X11 last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace platform;

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 120;  // 96,000 bytes: large enough for shared memory

class X11Pixels : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.running()) << "Xvfb did not start";
        display_ = XOpenDisplay(server_.display().c_str());
        ASSERT_NE(display_, nullptr);
        const int screen = DefaultScreen(display_);
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 10, 10, kWidth, kHeight, 0, 0, 0);
        XSelectInput(display_, window_, StructureNotifyMask);
        XMapWindow(display_, window_);
        for (XEvent e; XNextEvent(display_, &e), e.type != MapNotify;) {
        }
        sender_.Start(display_, screen);
    }
    void TearDown() override {
        sender_.Stop();
        if (display_) XCloseDisplay(display_);
    }
    // The window's pixel as the server holds it.
    Pixel At(int x, int y) {
        XSync(display_, False);
        XImage* image = XGetImage(display_, window_, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return 0;
        const Pixel p = static_cast<Pixel>(XGetPixel(image, 0, 0)) | 0xFF000000u;
        XDestroyImage(image);
        return p;
    }

    XvfbServer server_;
    Display* display_ = nullptr;
    ::Window window_ = 0;
    X11PixelSender sender_;
};

TEST_F(X11Pixels, OnlyTheAreaSentChangesAndSmallAndLargeAreasBothArrive) {
    const Pixel red = OpaquePixel(RGB(255, 0, 0)), blue = OpaquePixel(RGB(0, 0, 255));
    Surface surface(kWidth, kHeight, red);
    sender_.Send(window_, surface, surface.bounds());
    EXPECT_TRUE(sender_.UsesSharedMemory()) << "Xvfb on this machine attaches our memory";
    EXPECT_EQ(At(0, 0), red);
    EXPECT_EQ(At(kWidth - 1, kHeight - 1), red);

    // The surface changes everywhere, but only a few digits' worth is sent.
    surface.fill(surface.bounds(), blue);
    sender_.Send(window_, surface, RECT{10, 20, 30, 50});
    EXPECT_EQ(At(10, 20), blue);
    EXPECT_EQ(At(29, 49), blue);
    EXPECT_EQ(At(30, 49), red) << "right of the area";
    EXPECT_EQ(At(29, 50), red) << "below the area";
    EXPECT_EQ(At(9, 20), red) << "left of the area";

    // A large area again, at an offset, after the small one.
    sender_.Send(window_, surface, RECT{0, 60, kWidth, kHeight});
    EXPECT_EQ(At(0, 60), blue);
    EXPECT_EQ(At(kWidth - 1, kHeight - 1), blue);
    EXPECT_EQ(At(100, 59), red);
}

}  // namespace
