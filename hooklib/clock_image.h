// The taskbar clock's off-screen image, kept from paint to paint in the context that paints the
// clock: a memory DC with a bitmap of the clock's size, made again only when that size changes,
// and what was last drawn into it. A refresh that would draw the same pixels draws nothing and
// only copies the image to the clock.
#pragma once

#include <cstdint>
#include <vector>

#include "hooklib/label_painting.h"
#include "platform/draw/gdi.h"
#include "platform/window/window.h"

namespace hooklib {

// What the clock's background is drawn from. A background still being captured from the taskbar
// may draw differently each time; a colour or a frozen bitmap draws the same pixels every time.
struct ClockBackground {
    enum class Kind { Capturing, Colour, Frozen };
    Kind kind = Kind::Capturing;
    std::uint32_t value = 0;  // the colour, or the frozen bitmap's id
    bool operator==(const ClockBackground&) const = default;
};

// Everything a paint draws into the image from.
struct ClockDrawing {
    ClockBackground background;
    int backgroundMode = 0;  // of the text: TRANSPARENT or OPAQUE
    std::vector<LabelDrawing> labels;
};

// Whether a paint of `now` would leave the pixels that the paint of `before` left: never while
// either background is being captured.
bool SamePixels(const ClockDrawing& now, const ClockDrawing& before);

// What the clock's window was last given: the image as it was copied, and the window's pixels
// right after. While both are as they were, copying the image again would change nothing.
struct ClockShown {
    std::uint64_t image = 0;  // the image's surface generation
    platform::ClientPixelsStamp window;
    bool operator==(const ClockShown&) const = default;
};

struct ClockImage {
    platform::HDC dc;
    platform::HBITMAP bitmap;  // null while the clock is empty: the DC draws into its own 1 x 1 bitmap
    platform::HGDIOBJ ownBitmap;  // the DC's own, given back when the clock becomes empty
    platform::SIZE size;
    ClockDrawing drawn;  // what the image holds now
    // What the paint of this moment would draw, kept from paint to paint so that its texts are
    // made once a second (see DescribeLabels) and its room is reused.
    ClockDrawing planned;
    LabelMoment textsMoment;
    ClockShown shown;
};

// The calling context's image, made or resized for a clock of that size (what it held is
// forgotten then); null when no DC can be made.
ClockImage* KeptClockImage(platform::HDC compatible, platform::SIZE size);

// Deletes the calling context's image, when the library leaves the context.
void ReleaseClockImage();

}  // namespace hooklib
