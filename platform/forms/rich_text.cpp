#include "platform/forms/rich_text.h"

#include <algorithm>
#include <cctype>

namespace platform::forms {

namespace {

constexpr std::size_t kMaxDepth = 256;  // deeper groups are read as if they were not there
constexpr long kMaxParameter = 1'000'000;

void AppendUtf8(std::string& out, unsigned cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The Windows Latin-1 code page: bytes 0x80 to 0x9F differ from ISO Latin-1.
unsigned Cp1252(unsigned char byte) {
    static const unsigned kHigh[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                       0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                       0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

// Keeps valid UTF-8 sequences and replaces every byte that is not part of one.
std::string ValidUtf8(std::string_view in) {
    std::string out;
    std::size_t i = 0;
    while (i < in.size()) {
        auto b = static_cast<unsigned char>(in[i]);
        int len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        bool ok = len > 0 && i + static_cast<std::size_t>(len) <= in.size();
        for (int k = 1; ok && k < len; ++k) ok = (static_cast<unsigned char>(in[i + static_cast<std::size_t>(k)]) & 0xC0) == 0x80;
        if (ok && len == 2) ok = b >= 0xC2;  // no overlong forms
        if (ok) {
            out.append(in.substr(i, static_cast<std::size_t>(len)));
            i += static_cast<std::size_t>(len);
        } else {
            AppendUtf8(out, 0xFFFD);
            ++i;
        }
    }
    return out;
}

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int color = 0;  // index into the colour table; 0 is the box's own
    double size = 0;
};

enum class Destination { Text, ColorTable, Skip };

struct GroupState {
    CharFormat format;
    int alignment = rtfLeft;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;  // \ucN: characters that stand in for each \u
};

class Parser {
public:
    explicit Parser(std::string_view source) : s_(source) {}

    RichDocument Run() {
        while (pos_ < s_.size()) {
            char c = s_[pos_++];
            switch (c) {
                case '{': OpenGroup(); break;
                case '}': CloseGroup(); break;
                case '\\': ControlSequence(); break;
                case '\r':
                case '\n': break;
                default: {
                    // One character: a UTF-8 lead byte with the continuation bytes that follow it.
                    std::size_t start = pos_ - 1;
                    if (static_cast<unsigned char>(c) >= 0xC0)
                        while (pos_ < s_.size() && pos_ - start < 4 && (static_cast<unsigned char>(s_[pos_]) & 0xC0) == 0x80) ++pos_;
                    Emit(s_.substr(start, pos_ - start));
                    break;
                }
            }
        }
        if (!paragraph_.runs.empty()) FlushParagraph();
        for (auto& p : doc_.paragraphs)
            for (auto& r : p.runs) r.text = ValidUtf8(r.text);
        return std::move(doc_);
    }

private:
    GroupState& Top() { return stack_.back(); }

    void OpenGroup() {
        ++depth_;
        if (depth_ > kMaxDepth) return;
        stack_.push_back(Top());
        groupStart_ = true;
    }

    void CloseGroup() {
        if (depth_ == 0) return;  // a stray "}" closes nothing
        bool real = depth_ <= kMaxDepth;
        --depth_;
        if (!real) return;
        if (Top().destination == Destination::ColorTable && stack_[stack_.size() - 2].destination != Destination::ColorTable)
            FinishColorEntry(false);
        if (stack_.size() > 1) stack_.pop_back();
        groupStart_ = false;
    }

    // A control word with its optional numeric parameter, or a control symbol.
    void ControlSequence() {
        if (pos_ >= s_.size()) return;
        char c = s_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            Symbol(c);
            return;
        }
        std::string word;
        while (pos_ < s_.size() && std::isalpha(static_cast<unsigned char>(s_[pos_])) && word.size() < 32) word += s_[pos_++];
        while (pos_ < s_.size() && std::isalpha(static_cast<unsigned char>(s_[pos_]))) ++pos_;  // an overlong word
        bool negative = false, hasParameter = false;
        long parameter = 0;
        if (pos_ < s_.size() && s_[pos_] == '-' && pos_ + 1 < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_ + 1]))) {
            negative = true;
            ++pos_;
        }
        while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) {
            hasParameter = true;
            parameter = std::min(kMaxParameter, parameter * 10 + (s_[pos_++] - '0'));
        }
        if (negative) parameter = -parameter;
        if (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
        bool atStart = groupStart_;
        groupStart_ = false;
        Word(word, hasParameter ? parameter : -1, hasParameter, atStart);
    }

    void Symbol(char c) {
        bool atStart = groupStart_;
        groupStart_ = false;
        switch (c) {
            case '\\':
            case '{':
            case '}': Text(c); break;
            case '~': Codepoint(0xA0); break;
            case '_': Text('-'); break;
            case '*':
                if (atStart) Top().destination = Destination::Skip;
                break;
            case '\'': {
                int value = 0, digits = 0;
                while (digits < 2 && pos_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[pos_]))) {
                    char h = static_cast<char>(std::tolower(static_cast<unsigned char>(s_[pos_++])));
                    value = value * 16 + (h <= '9' ? h - '0' : h - 'a' + 10);
                    ++digits;
                }
                if (digits == 2) Codepoint(Cp1252(static_cast<unsigned char>(value)));
                break;
            }
            case '\r':
            case '\n': Word("par", -1, false, false); break;
            default: break;  // "\-" (optional hyphen) and unknown symbols show nothing
        }
    }

    void Word(const std::string& w, long p, bool hasParameter, bool atStart) {
        GroupState& g = Top();
        bool inText = g.destination == Destination::Text;
        if (atStart && inText && (w == "fonttbl" || w == "stylesheet" || w == "info" || w == "pict")) {
            g.destination = Destination::Skip;
            return;
        }
        if (atStart && inText && w == "colortbl") {
            g.destination = Destination::ColorTable;
            colors_.clear();
            entry_ = Entry{};
            return;
        }
        if (g.destination == Destination::ColorTable) {
            int v = static_cast<int>(std::clamp<long>(p, 0, 255));
            if (w == "red") entry_.r = v, entry_.any = true;
            if (w == "green") entry_.g = v, entry_.any = true;
            if (w == "blue") entry_.b = v, entry_.any = true;
            return;
        }
        if (g.destination == Destination::Skip) return;
        CharFormat& f = g.format;
        bool on = !hasParameter || p != 0;
        if (w == "b") f.bold = on;
        else if (w == "i") f.italic = on;
        else if (w == "ul") f.underline = on;
        else if (w == "ulnone") f.underline = false;
        else if (w == "cf") f.color = static_cast<int>(std::max<long>(0, p));
        else if (w == "fs") f.size = hasParameter ? std::clamp<long>(p, 2, 400) / 2.0 : 0;
        else if (w == "plain") f = CharFormat{};
        else if (w == "pard") g.alignment = rtfLeft;
        else if (w == "ql" || w == "qj") g.alignment = rtfLeft;
        else if (w == "qc") g.alignment = rtfCenter;
        else if (w == "qr") g.alignment = rtfRight;
        else if (w == "par") EndParagraph();
        else if (w == "line") Text('\n');
        else if (w == "tab") Text('\t');
        else if (w == "uc") g.unicodeSkip = static_cast<int>(std::clamp<long>(p, 0, 8));
        else if (w == "u" && hasParameter) {
            long v = p < 0 ? p + 65536 : p;
            skipFallback_ = 0;
            Codepoint(static_cast<unsigned>(std::clamp<long>(v, 0, 0xFFFF)));
            skipFallback_ = g.unicodeSkip;
        }
    }

    struct Entry {
        int r = 0, g = 0, b = 0;
        bool any = false;
    };

    void FinishColorEntry(bool semicolon) {
        if (!semicolon && !entry_.any) return;
        colors_.push_back(entry_.any ? (static_cast<COLORREF>(entry_.r) | (entry_.g << 8) | (entry_.b << 16)) : kAuto);
        entry_ = Entry{};
    }

    void Text(char c) { Emit(std::string_view(&c, 1)); }

    void Codepoint(unsigned cp) {
        std::string bytes;
        AppendUtf8(bytes, cp);
        Emit(bytes);
    }

    // One character of text (its UTF-8 bytes), unless it is the fallback of a \u just read.
    void Emit(std::string_view character) {
        if (skipFallback_ > 0) {
            --skipFallback_;
            return;
        }
        GroupState& g = Top();
        if (g.destination == Destination::ColorTable) {
            if (character == ";") FinishColorEntry(true);
            return;
        }
        if (g.destination == Destination::Skip) return;
        const CharFormat& f = g.format;
        RichRun look;
        look.bold = f.bold;
        look.italic = f.italic;
        look.underline = f.underline;
        look.size = f.size;
        if (f.color > 0 && static_cast<std::size_t>(f.color) < colors_.size() && colors_[static_cast<std::size_t>(f.color)] != kAuto) {
            look.hasColor = true;
            look.color = colors_[static_cast<std::size_t>(f.color)];
        }
        // A last paragraph without \par keeps the alignment of its text.
        paragraph_.alignment = g.alignment;
        if (paragraph_.runs.empty() || !paragraph_.runs.back().SameLook(look)) paragraph_.runs.push_back(look);
        paragraph_.runs.back().text += character;
    }

    // \par: the paragraph takes the alignment in effect where it ends.
    void EndParagraph() {
        GroupState& g = Top();
        if (g.destination != Destination::Text) return;
        skipFallback_ = 0;
        paragraph_.alignment = g.alignment;
        FlushParagraph();
    }

    void FlushParagraph() {
        doc_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = RichParagraph{};
    }

    static constexpr COLORREF kAuto = 0xFFFFFFFFu;

    std::string_view s_;
    std::size_t pos_ = 0;
    std::vector<GroupState> stack_{GroupState{}};
    std::size_t depth_ = 0;
    bool groupStart_ = false;
    int skipFallback_ = 0;
    std::vector<COLORREF> colors_;
    Entry entry_;
    RichParagraph paragraph_;
    RichDocument doc_;
};

bool StartsAsRichText(std::string_view s) {
    if (s.substr(0, 3) == "\xEF\xBB\xBF") s.remove_prefix(3);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    return s.substr(0, 5) == "{\\rtf";
}

}  // namespace

std::string RichDocument::PlainText() const {
    std::string out;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) out += '\n';
        for (const auto& r : paragraphs[i].runs) out += r.text;
    }
    return out;
}

RichDocument PlainRichText(std::string_view text) {
    RichDocument doc;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        RichParagraph p;
        if (!line.empty()) p.runs.push_back(RichRun{ValidUtf8(line)});
        doc.paragraphs.push_back(std::move(p));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return doc;
}

RichDocument ParseRichText(std::string_view source) {
    if (!StartsAsRichText(source)) return PlainRichText(source);
    return Parser(source).Run();
}

}  // namespace platform::forms
