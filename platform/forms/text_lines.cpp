#include "platform/forms/text_lines.h"

#include <algorithm>

namespace platform::forms {

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The character at `byte`, and the byte after it.
std::string_view CharacterAt(const std::string& text, std::size_t byte, std::size_t& after) {
    after = byte + 1;
    while (after < text.size() && IsContinuation(static_cast<unsigned char>(text[after]))) ++after;
    return std::string_view(text).substr(byte, after - byte);
}

}  // namespace

TextLines::Line TextLines::NextLine(const TextEdit& text, int start, int width, const Measure& measure, int& next) {
    const std::string& s = text.Text();
    std::size_t byte = text.ByteOffset(start);
    int pos = start, x = 0, afterBlank = -1;
    while (byte < s.size()) {
        const char c = s[byte];
        if (c == '\n' || (c == '\r' && byte + 1 < s.size() && s[byte + 1] == '\n')) {
            next = pos + (c == '\r' ? 2 : 1);
            return Line{start, pos};
        }
        std::size_t after = 0;
        const int w = measure(CharacterAt(s, byte, after));
        if (pos > start && x + w > width) {
            next = afterBlank > start ? afterBlank : pos;
            return Line{start, next};
        }
        if (c == ' ') afterBlank = pos + 1;
        x += w;
        ++pos;
        byte = after;
    }
    next = -1;
    return Line{start, pos};
}

void TextLines::WrapAll(const TextEdit& text, int width, const Measure& measure) {
    lines_.clear();
    for (int start = 0, next = 0; next >= 0; start = next) lines_.push_back(NextLine(text, start, width, measure, next));
}

// Wraps again from the line before the change (a word may now fit there) until a line starts where
// an old one started past the change: from there on the old lines stand, moved by the change.
void TextLines::MendWrap(const TextEdit& text, int width, const Measure& measure, const TextEdit::Change& change) {
    const int delta = change.inserted - change.removed;
    auto byEnd = std::lower_bound(lines_.begin(), lines_.end(), change.at, [](const Line& l, int at) { return l.end < at; });
    std::size_t first = static_cast<std::size_t>(std::min(byEnd, lines_.end() - 1) - lines_.begin());
    if (first > 0 && lines_[first - 1].end == lines_[first].start) --first;  // the same logical line

    std::vector<Line> mended(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(first));
    std::size_t resumed = lines_.size();  // the old line from which on the old lines stand
    for (int start = lines_[first].start, next = 0; next >= 0; start = next) {
        mended.push_back(NextLine(text, start, width, measure, next));
        if (next <= change.at + change.inserted) continue;
        auto old = std::lower_bound(lines_.begin(), lines_.end(), next - delta, [](const Line& l, int at) { return l.start < at; });
        if (old != lines_.end() && old->start == next - delta) {
            resumed = static_cast<std::size_t>(old - lines_.begin());
            break;
        }
    }
    for (std::size_t i = resumed; i < lines_.size(); ++i) mended.push_back(Line{lines_[i].start + delta, lines_[i].end + delta});
    lines_ = std::move(mended);
}

const std::vector<TextLines::Line>& TextLines::Lines(const TextEdit& text, bool wrap, int width, const Measure& measure) {
    if (!wrap) {
        lines_.assign(1, Line{0, text.Length()});
        linesKept_ = {};
        return lines_;
    }
    if (linesKept_.valid && linesKept_.change)
        MendWrap(text, width, measure, *linesKept_.change);
    else if (!linesKept_.valid)
        WrapAll(text, width, measure);
    linesKept_ = Kept{true, std::nullopt};
    return lines_;
}

void TextLines::MendOffsets(const TextEdit& text, const Measure& measure, const TextEdit::Change& change) {
    const auto at = static_cast<std::size_t>(change.at);
    const int removedWidth = offsets_[at + static_cast<std::size_t>(change.removed)] - offsets_[at];
    std::vector<int> inserted;
    const std::string& s = text.Text();
    int x = offsets_[at];
    for (std::size_t byte = text.ByteOffset(change.at), after = 0; inserted.size() < static_cast<std::size_t>(change.inserted); byte = after) {
        x += measure(CharacterAt(s, byte, after));
        inserted.push_back(x);
    }
    const int delta = x - offsets_[at] - removedWidth;
    auto tail = offsets_.begin() + static_cast<std::ptrdiff_t>(at + 1);
    tail = offsets_.erase(tail, tail + change.removed);
    tail = offsets_.insert(tail, inserted.begin(), inserted.end()) + static_cast<std::ptrdiff_t>(inserted.size());
    for (; tail != offsets_.end(); ++tail) *tail += delta;
}

const std::vector<int>& TextLines::Offsets(const TextEdit& text, const Measure& measure) {
    if (offsetsKept_.valid && offsetsKept_.change) {
        MendOffsets(text, measure, *offsetsKept_.change);
    } else if (!offsetsKept_.valid) {
        offsets_.assign(1, 0);
        const std::string& s = text.Text();
        for (std::size_t byte = 0, after = 0; byte < s.size(); byte = after) offsets_.push_back(offsets_.back() + measure(CharacterAt(s, byte, after)));
    }
    offsetsKept_ = Kept{true, std::nullopt};
    return offsets_;
}

void TextLines::Edited(const TextEdit::Change& change) {
    linesKept_.Note(change);
    offsetsKept_.Note(change);
}

void TextLines::Forget() {
    linesKept_ = {};
    offsetsKept_ = {};
}

}  // namespace platform::forms
