// The last runs of text drawn, with the pixels under them before and after. A clock repaints its
// unchanged text many times a second over the same background; such a run is copied from the
// last time instead of drawn again (inside platform/draw only).
#pragma once

#include "platform/draw/surface.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::draw {

// Everything that decides a run's pixels besides the pixels under it.
struct RunMemoKey {
    std::uint64_t font = 0;  // the font instance's serial number
    std::u32string text;
    Pixel color = 0;
    bool underline = false;
    bool strikeOut = false;
    int mnemonic = -1;
    POINT origin;  // the run's cell corner, from the top-left of what it covers
    SIZE size;     // what it covers, cut to the clip
    bool operator==(const RunMemoKey&) const = default;
};

class RunMemo {
public:
    // Copies the run's remembered pixels into box when the key and the pixels under it are those
    // of a run remembered; true then.
    bool Replay(const RunMemoKey& key, Surface& surface, RECT box);
    // Before drawing a run that was not replayed: remembers the pixels under it.
    void Begin(RunMemoKey key, const Surface& surface, RECT box);
    // After drawing it: remembers what it made of them.
    void End(const Surface& surface, RECT box);

    // Runs covering more pixels than this are drawn every time: they would cost more memory than
    // a clock's digits are worth.
    static constexpr long kMostPixels = 8192;
    static constexpr std::size_t kRuns = 4;

private:
    struct Entry {
        RunMemoKey key;
        std::vector<Pixel> before;
        std::vector<Pixel> after;
    };
    std::vector<Entry> entries_;  // most recently used first
    bool recording_ = false;
};

}  // namespace platform::draw
