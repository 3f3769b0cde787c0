#include "platform/present/detail/x11_pixels.h"

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstring>

namespace platform {

struct X11PixelSender::Segment {
    XShmSegmentInfo info{};
    std::size_t bytes = 0;
};

namespace {

bool g_attachFailed = false;
int NoteAttachFailure(Display*, XErrorEvent*) {
    g_attachFailed = true;
    return 0;
}

// An image header over pixels that belong to someone else (the surface or the segment).
XImage* ImageOver(Display* display, int screen, char* data, int width, int height, int stride) {
    return XCreateImage(display, DefaultVisual(display, screen), static_cast<unsigned>(DefaultDepth(display, screen)),
                        ZPixmap, 0, data, static_cast<unsigned>(width), static_cast<unsigned>(height), 32, stride);
}

// A shared segment is written again only once the server has read it, which costs a round trip
// to the server and a wake-up more: an area smaller than this (a few changed digits) goes
// through the connection at once instead.
constexpr std::size_t kSmallestSharedSend = 16 * 1024;

}  // namespace

void X11PixelSender::Start(Display* display, int screen) {
    display_ = display;
    screen_ = screen;
    // Shared memory needs a server on this machine and the 32-bit pixels our surfaces hold. The
    // segment is made at the first area large enough to need it.
    shared_ = XShmQueryExtension(display) && DefaultDepth(display, screen) >= 24;
}

void X11PixelSender::Stop() {
    DropSegment();
    shared_ = false;
    display_ = nullptr;
}

bool X11PixelSender::EnsureSegment(std::size_t bytes) {
    if (segment_ && segment_->bytes >= bytes) return true;
    DropSegment();
    auto* segment = new Segment;
    segment->bytes = bytes;
    segment->info.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment->info.shmid < 0) {
        delete segment;
        return false;
    }
    void* address = shmat(segment->info.shmid, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) {
        shmctl(segment->info.shmid, IPC_RMID, nullptr);
        delete segment;
        return false;
    }
    segment->info.shmaddr = static_cast<char*>(address);
    segment->info.readOnly = True;
    // A server on another machine refuses the attach; that is only known after a round trip.
    g_attachFailed = false;
    auto previous = XSetErrorHandler(NoteAttachFailure);
    Status attached = XShmAttach(display_, &segment->info);
    XSync(display_, False);
    XSetErrorHandler(previous);
    // Marked for removal now: it goes away when both sides have let go, even after a crash.
    shmctl(segment->info.shmid, IPC_RMID, nullptr);
    if (!attached || g_attachFailed) {
        shmdt(segment->info.shmaddr);
        delete segment;
        return false;
    }
    segment_ = segment;
    return true;
}

void X11PixelSender::DropSegment() {
    if (!segment_) return;
    if (display_) {
        XShmDetach(display_, &segment_->info);
        XSync(display_, False);
    }
    shmdt(segment_->info.shmaddr);
    delete segment_;
    segment_ = nullptr;
}

void X11PixelSender::Send(::Window window, const Surface& surface, const RECT& area) {
    const RECT r = IntersectRects(area, surface.bounds());
    if (r.empty() || !display_) return;
    const std::size_t bytes = sizeof(Pixel) * static_cast<std::size_t>(r.width()) * r.height();
    if (shared_ && bytes >= kSmallestSharedSend && !EnsureSegment(std::max(bytes, std::size_t{64} * 1024)))
        shared_ = false;  // the server cannot attach our memory: the connection carries everything
    if (shared_ && bytes >= kSmallestSharedSend)
        SendShared(window, surface, r);
    else
        SendPlain(window, surface, r);
}

void X11PixelSender::SendShared(::Window window, const Surface& surface, const RECT& r) {
    char* data = segment_->info.shmaddr;
    const std::size_t rowBytes = sizeof(Pixel) * r.width();
    for (int y = r.top; y < r.bottom; ++y)
        std::memcpy(data + (y - r.top) * rowBytes, surface.row(y) + r.left, rowBytes);
    XImage* image = ImageOver(display_, screen_, data, r.width(), r.height(), static_cast<int>(rowBytes));
    if (!image) return SendPlain(window, surface, r);
    image->obdata = reinterpret_cast<char*>(&segment_->info);
    XShmPutImage(display_, window, DefaultGC(display_, screen_), image, 0, 0, r.left, r.top,
                 static_cast<unsigned>(r.width()), static_cast<unsigned>(r.height()), False);
    image->data = nullptr;  // both belong to the segment, not to the image
    image->obdata = nullptr;
    XDestroyImage(image);
    // The segment is written again on the next send: the server must have read it by then.
    XSync(display_, False);
}

void X11PixelSender::SendPlain(::Window window, const Surface& surface, const RECT& r) {
    // Window surfaces are top-down: the whole surface is one image, of which r is sent.
    XImage* image = ImageOver(display_, screen_, reinterpret_cast<char*>(const_cast<Pixel*>(surface.row(0))),
                              surface.width(), surface.height(), surface.width() * 4);
    if (!image) return;
    XPutImage(display_, window, DefaultGC(display_, screen_), image, r.left, r.top, r.left, r.top,
              static_cast<unsigned>(r.width()), static_cast<unsigned>(r.height()));
    image->data = nullptr;  // the pixels belong to the surface
    XDestroyImage(image);
}

}  // namespace platform
