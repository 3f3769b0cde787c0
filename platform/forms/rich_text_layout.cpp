#include "platform/forms/rich_text_layout.h"

#include <algorithm>

#include "platform/forms/painter.h"

namespace platform::forms {

namespace {

constexpr int kTabStop = 48;  // pixels between tab stops

// A word with the blanks after it, a tab, or a line break, in one run's look.
struct Token {
    enum Kind { Word, Tab, Break } kind = Word;
    std::string text;  // the word without its blanks
    std::string blanks;
    const RichRun* run = nullptr;
};

std::vector<Token> Tokenize(const RichParagraph& p) {
    std::vector<Token> out;
    for (const RichRun& run : p.runs) {
        std::size_t i = 0;
        const std::string& t = run.text;
        while (i < t.size()) {
            if (t[i] == '\n' || t[i] == '\t') {
                out.push_back(Token{t[i] == '\n' ? Token::Break : Token::Tab, {}, {}, &run});
                ++i;
                continue;
            }
            Token w{Token::Word, {}, {}, &run};
            while (i < t.size() && t[i] != ' ' && t[i] != '\n' && t[i] != '\t') w.text += t[i++];
            while (i < t.size() && t[i] == ' ') w.blanks += t[i++];
            out.push_back(std::move(w));
        }
    }
    return out;
}

FontDescription FontOf(const RichRun& run, const FontDescription& base) {
    FontDescription f = base;
    f.bold = run.bold;
    f.italic = run.italic;
    f.underline = run.underline;
    if (run.size > 0) f.size = run.size;
    return f;
}

class LineBuilder {
public:
    LineBuilder(RichLayout& layout, const FontDescription& base, int width, int alignment)
        : layout_(layout), base_(base), width_(std::max(1, width)), alignment_(alignment) {}

    int Remaining() const { return width_ - x_; }
    bool Empty() const { return line_.segments.empty(); }

    void Add(const RichRun& run, const std::string& text, int width) {
        FontDescription f = FontOf(run, base_);
        RichSegment segment{text, f, run.hasColor, run.color, x_, width, LineHeight(f)};
        x_ += width;
        contentRight_ = x_;
        line_.segments.push_back(std::move(segment));
    }
    // Blanks after a word: they take room but do not count for the alignment.
    void AddBlanks(const RichRun& run, const std::string& blanks, int width) {
        int keep = contentRight_;
        Add(run, blanks, width);
        contentRight_ = keep;
    }
    void Advance(int width) { x_ += width; }
    int X() const { return x_; }

    void Finish() {
        int height = LineHeight(base_);
        for (const auto& p : line_.segments) height = std::max(height, p.height);
        int shift = alignment_ == rtfCenter ? (width_ - contentRight_) / 2 : alignment_ == rtfRight ? width_ - contentRight_ : 0;
        for (auto& p : line_.segments) p.x += std::max(0, shift);
        line_.top = layout_.height;
        line_.height = height;
        layout_.height += height;
        layout_.lines.push_back(std::move(line_));
        line_ = RichLine{};
        x_ = 0;
        contentRight_ = 0;
    }

private:
    RichLayout& layout_;
    const FontDescription& base_;
    int width_;
    int alignment_;
    RichLine line_;
    int x_ = 0;
    int contentRight_ = 0;
};

// Splits a word that is wider than a whole line at the last character that still fits.
std::size_t FittingBytes(const FontDescription& font, const std::string& word, int room) {
    std::vector<int> offsets = CharacterOffsets(font, word);
    std::size_t chars = 0;
    while (chars + 1 < offsets.size() && offsets[chars + 1] <= room) ++chars;
    chars = std::max<std::size_t>(chars, 1);  // at least one character per line
    std::size_t bytes = 0;
    for (std::size_t c = 0; c < chars && bytes < word.size(); ++c) {
        ++bytes;
        while (bytes < word.size() && (static_cast<unsigned char>(word[bytes]) & 0xC0) == 0x80) ++bytes;
    }
    return bytes;
}

}  // namespace

RichLayout LayoutRichText(const RichDocument& doc, const FontDescription& base, int width) {
    RichLayout layout;
    for (const RichParagraph& p : doc.paragraphs) {
        LineBuilder line(layout, base, width, p.alignment);
        for (const Token& t : Tokenize(p)) {
            if (t.kind == Token::Break) {
                line.Finish();
                continue;
            }
            if (t.kind == Token::Tab) {
                int next = (line.X() / kTabStop + 1) * kTabStop;
                if (next > width && !line.Empty()) {
                    line.Finish();
                    next = kTabStop;
                }
                line.Advance(next - line.X());
                continue;
            }
            FontDescription f = FontOf(*t.run, base);
            std::string word = t.text;
            int w = MeasureText(f, word).cx;
            if (w > line.Remaining() && !line.Empty()) line.Finish();
            while (w > line.Remaining() && word.size() > 1) {
                std::size_t fit = FittingBytes(f, word, line.Remaining());
                if (fit >= word.size()) break;
                std::string head = word.substr(0, fit);
                line.Add(*t.run, head, MeasureText(f, head).cx);
                line.Finish();
                word.erase(0, fit);
                w = MeasureText(f, word).cx;
            }
            if (!word.empty()) line.Add(*t.run, word, w);
            if (!t.blanks.empty()) line.AddBlanks(*t.run, t.blanks, CharacterOffsets(f, t.blanks).back());
        }
        line.Finish();
    }
    return layout;
}

}  // namespace platform::forms
