#include "platform/draw/run_memo.h"

#include <algorithm>
#include <cstring>

namespace platform::draw {
namespace {

void CopyOut(const Surface& surface, RECT box, std::vector<Pixel>& pixels) {
    const auto width = static_cast<std::size_t>(box.width());
    pixels.resize(width * static_cast<std::size_t>(box.height()));
    for (int y = box.top; y < box.bottom; ++y)
        std::memcpy(pixels.data() + (y - box.top) * width, surface.row(y) + box.left, width * sizeof(Pixel));
}

bool SameAs(const Surface& surface, RECT box, const std::vector<Pixel>& pixels) {
    const auto width = static_cast<std::size_t>(box.width());
    for (int y = box.top; y < box.bottom; ++y)
        if (std::memcmp(pixels.data() + (y - box.top) * width, surface.row(y) + box.left, width * sizeof(Pixel)) != 0)
            return false;
    return true;
}

}  // namespace

bool RunMemo::Replay(const RunMemoKey& key, Surface& surface, RECT box) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (!(it->key == key) || !SameAs(surface, box, it->before)) continue;
        const auto width = static_cast<std::size_t>(box.width());
        for (int y = box.top; y < box.bottom; ++y)
            std::memcpy(surface.row(y) + box.left, it->after.data() + (y - box.top) * width, width * sizeof(Pixel));
        std::rotate(entries_.begin(), it, it + 1);
        return true;
    }
    return false;
}

void RunMemo::Begin(RunMemoKey key, const Surface& surface, RECT box) {
    recording_ = static_cast<long>(box.width()) * box.height() <= kMostPixels;
    if (!recording_) return;
    if (entries_.size() < kRuns) entries_.emplace_back();
    std::rotate(entries_.begin(), entries_.end() - 1, entries_.end());  // the oldest comes first, reused
    Entry& entry = entries_.front();
    entry.key = std::move(key);
    CopyOut(surface, box, entry.before);
}

void RunMemo::End(const Surface& surface, RECT box) {
    if (!recording_) return;
    recording_ = false;
    CopyOut(surface, box, entries_.front().after);
}

}  // namespace platform::draw
