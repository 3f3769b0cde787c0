#include "platform/forms/text_edit.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace platform::forms {

namespace {
bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// What a byte belongs to, for words. Every byte of a character beyond ASCII counts as a letter,
// so a run of one class always starts and ends on a character's boundary.
enum class WordClass { Letter, Blank, Break, Sign };
WordClass ClassOf(unsigned char c) {
    if (c >= 0x80 || std::isalnum(c) || c == '_') return WordClass::Letter;
    if (c == ' ' || c == '\t') return WordClass::Blank;
    if (c == '\r' || c == '\n') return WordClass::Break;
    return WordClass::Sign;
}
}  // namespace

int CharacterCount(const std::string& text) {
    int n = 0;
    for (unsigned char c : text)
        if (!IsContinuation(c)) ++n;
    return n;
}

std::string Utf8FromCodePoint(unsigned cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x110000) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

std::size_t TextEdit::ByteOffset(int position) const {
    if (position <= 0) return 0;
    if (position >= length_) return text_.size();
    if (AllAscii()) return static_cast<std::size_t>(position);
    // From the nearest of the start, the position found last and the end.
    int at = 0;
    std::size_t byte = 0;
    if (std::abs(knownPosition_ - position) < position) {
        at = knownPosition_;
        byte = knownByte_;
    }
    if (length_ - position < std::abs(at - position)) {
        at = length_;
        byte = text_.size();
    }
    auto lead = [this](std::size_t b) { return b >= text_.size() || !IsContinuation(static_cast<unsigned char>(text_[b])); };
    for (; at < position; ++at)
        do ++byte;
        while (!lead(byte));
    for (; at > position; --at)
        do --byte;
        while (!lead(byte));
    knownPosition_ = position;
    knownByte_ = byte;
    return byte;
}

int TextEdit::PositionOfByte(std::size_t byteOffset) const {
    if (byteOffset >= text_.size()) return length_;
    if (AllAscii()) return static_cast<int>(byteOffset);
    // The characters between the byte found last and this one, counted from there.
    int position = knownPosition_;
    std::size_t byte = knownByte_;
    for (; byte < byteOffset; ++byte)
        if (!IsContinuation(static_cast<unsigned char>(text_[byte]))) ++position;
    for (; byte > byteOffset; --byte)
        if (!IsContinuation(static_cast<unsigned char>(text_[byte - 1]))) --position;
    return position;
}

int TextEdit::Clamp(int position) const { return std::clamp(position, 0, length_); }

bool TextEdit::IsInsideLineBreak(int position) const {
    if (position <= 0 || position >= length_) return false;
    std::size_t b = ByteOffset(position);
    return b > 0 && b < text_.size() && text_[b - 1] == '\r' && text_[b] == '\n';
}

int TextEdit::Snap(int position) const {
    position = Clamp(position);
    return IsInsideLineBreak(position) ? position + 1 : position;
}

void TextEdit::SetText(std::string text) {
    const int before = length_;
    text_ = std::move(text);
    length_ = CharacterCount(text_);
    anchor_ = caret_ = 0;
    knownPosition_ = 0;
    knownByte_ = 0;
    lastChange_ = Change{0, before, length_};
}

std::string TextEdit::SelText() const {
    std::size_t a = ByteOffset(SelStart()), b = ByteOffset(SelStart() + SelLength());
    return text_.substr(a, b - a);
}

void TextEdit::SetSelStart(int position) { anchor_ = caret_ = Snap(position); }

void TextEdit::SetSelLength(int length) {
    anchor_ = SelStart();
    caret_ = Snap(anchor_ + std::max(0, length));
}

void TextEdit::Select(int anchor, int caret) {
    anchor_ = Snap(anchor);
    caret_ = Snap(caret);
}

void TextEdit::MoveCaret(int position, bool extend) {
    caret_ = Snap(position);
    if (!extend) anchor_ = caret_;
}

bool TextEdit::ReplaceSelection(const std::string& text) {
    if (SelLength() == 0 && text.empty()) return false;
    const int start = SelStart(), removed = SelLength(), inserted = CharacterCount(text);
    std::size_t a = ByteOffset(start), b = ByteOffset(start + removed);
    text_.replace(a, b - a, text);
    length_ += inserted - removed;
    knownPosition_ = start;  // nothing before the edit moved
    knownByte_ = a;
    lastChange_ = Change{start, removed, inserted};
    anchor_ = caret_ = Clamp(start + inserted);
    return true;
}

bool TextEdit::Insert(const std::string& text, int maxLength) {
    std::string piece = text;
    if (maxLength > 0) {
        // Only as many characters as still fit once the selection is gone.
        int room = maxLength - (length_ - SelLength());
        if (room <= 0) return false;
        if (CharacterCount(piece) > room) {
            TextEdit cut;
            cut.SetText(piece);
            piece = piece.substr(0, cut.ByteOffset(room));
            if (!piece.empty() && piece.back() == '\r') piece.pop_back();  // never half a line break
        }
    }
    if (piece.empty()) return false;
    return ReplaceSelection(piece);
}

bool TextEdit::Backspace() {
    if (SelLength() > 0) return ReplaceSelection("");
    if (caret_ == 0) return false;
    anchor_ = Previous(caret_);
    return ReplaceSelection("");
}

bool TextEdit::Delete() {
    if (SelLength() > 0) return ReplaceSelection("");
    if (caret_ >= length_) return false;
    anchor_ = Next(caret_);
    return ReplaceSelection("");
}

int TextEdit::Previous(int position) const {
    int p = Clamp(position - 1);
    return IsInsideLineBreak(p) ? p - 1 : p;
}

int TextEdit::Next(int position) const { return Snap(position + 1); }

std::pair<int, int> TextEdit::WordAt(int position) const {
    if (length_ == 0) return {0, 0};
    const int at = std::clamp(position, 0, length_ - 1);
    std::size_t from = ByteOffset(at);
    const WordClass cls = ClassOf(static_cast<unsigned char>(text_[from]));
    if (cls == WordClass::Break) return {at, at};
    std::size_t to = from;
    while (from > 0 && ClassOf(static_cast<unsigned char>(text_[from - 1])) == cls) --from;
    while (to < text_.size() && ClassOf(static_cast<unsigned char>(text_[to])) == cls) ++to;
    const int start = PositionOfByte(from);
    return {start, PositionOfByte(to)};
}

int TextEdit::LineStartOf(int position) const {
    std::size_t b = ByteOffset(Clamp(position));
    std::size_t nl = b == 0 ? std::string::npos : text_.rfind('\n', b - 1);
    return nl == std::string::npos ? 0 : PositionOfByte(nl + 1);
}

int TextEdit::LineEndOf(int position) const {
    std::size_t b = ByteOffset(Clamp(position));
    std::size_t end = text_.find('\n', b);
    if (end == std::string::npos) return length_;
    if (end > 0 && text_[end - 1] == '\r') --end;
    return PositionOfByte(end);
}

}  // namespace platform::forms
