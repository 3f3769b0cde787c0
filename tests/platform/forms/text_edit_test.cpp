// The text box's editing model: characters of UTF-8 text, CR LF as one step, the selection, and
// the maximum length, as a table of edits; and its lines, mended around each edit.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string_view>

#include "platform/forms/text_edit.h"
#include "platform/forms/text_lines.h"

namespace {
using platform::forms::TextEdit;

struct EditCase {
    const char* name;
    const char* text;
    std::function<void(TextEdit&)> edit;
    const char* result;
    int selStart;
    int selLength;
};

void SelectWord(TextEdit& e, int position) {
    const auto [from, to] = e.WordAt(position);
    e.Select(from, to);
}

TEST(TextEdit, EditsAsATable) {
    const std::vector<EditCase> cases = {
        {"typing inserts at the caret", "ac", [](TextEdit& e) { e.SetSelStart(1), e.Insert("b", 0); }, "abc", 2, 0},
        {"typing replaces the selection", "abcd", [](TextEdit& e) { e.Select(1, 3), e.Insert("x", 0); }, "axd", 2, 0},
        {"the maximum length stops typing", "abc", [](TextEdit& e) { e.SetSelStart(3), e.Insert("de", 4); }, "abcd", 4, 0},
        {"a full box refuses more", "abcd", [](TextEdit& e) { e.SetSelStart(4), e.Insert("e", 4); }, "abcd", 4, 0},
        {"a selection makes room under the maximum", "abcd", [](TextEdit& e) { e.Select(0, 2), e.Insert("xyz", 4); }, "xycd", 2, 0},
        {"a line break never goes in half", "abc", [](TextEdit& e) { e.SetSelStart(3), e.Insert("\r\n", 4); }, "abc", 3, 0},
        {"backspace takes a character", "abc", [](TextEdit& e) { e.SetSelStart(2), e.Backspace(); }, "ac", 1, 0},
        {"backspace takes a whole line break", "a\r\nb", [](TextEdit& e) { e.SetSelStart(3), e.Backspace(); }, "ab", 1, 0},
        {"delete takes a whole line break", "a\r\nb", [](TextEdit& e) { e.SetSelStart(1), e.Delete(); }, "ab", 1, 0},
        {"backspace at the start does nothing", "ab", [](TextEdit& e) { e.SetSelStart(0), e.Backspace(); }, "ab", 0, 0},
        {"characters, not bytes", "\xC3\xA9t\xC3\xA9", [](TextEdit& e) { e.SetSelStart(2), e.Backspace(); },
         "\xC3\xA9\xC3\xA9", 1, 0},
        {"SelStart beyond the end stops at the end", "abc", [](TextEdit& e) { e.SetSelStart(9); }, "abc", 3, 0},
        {"SelStart never rests inside a line break", "a\r\nb", [](TextEdit& e) { e.SetSelStart(2); }, "a\r\nb", 3, 0},
        {"SelLength extends from SelStart", "abcdef", [](TextEdit& e) { e.SetSelStart(1), e.SetSelLength(3); }, "abcdef", 1, 3},
        {"a selection made backwards counts from its start", "abcdef", [](TextEdit& e) { e.Select(5, 2); }, "abcdef", 2, 3},
        {"setting the text puts the caret at the start", "abc", [](TextEdit& e) { e.SetSelStart(2), e.SetText("xyz"); },
         "xyz", 0, 0},
        {"a word is a run of letters and digits", "set 49 now", [](TextEdit& e) { SelectWord(e, 5); }, "set 49 now", 4, 2},
        {"blanks and signs make words of their own", "a  --b", [](TextEdit& e) { SelectWord(e, 3); }, "a  --b", 3, 2},
        {"letters beyond ASCII are letters", "\xC3\xA9t\xC3\xA9 ok", [](TextEdit& e) { SelectWord(e, 1); },
         "\xC3\xA9t\xC3\xA9 ok", 0, 3},
        {"past the end the last word", "ab cd", [](TextEdit& e) { SelectWord(e, 5); }, "ab cd", 3, 2},
        {"a line break is no word", "ab\r\ncd", [](TextEdit& e) { SelectWord(e, 2); }, "ab\r\ncd", 2, 0},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        TextEdit e;
        e.SetText(c.text);
        c.edit(e);
        EXPECT_EQ(e.Text(), c.result);
        EXPECT_EQ(e.SelStart(), c.selStart);
        EXPECT_EQ(e.SelLength(), c.selLength);
    }
}

TEST(TextEdit, LinesAndNeighbours) {
    TextEdit e;
    e.SetText("ab\r\ncd\r\n\r\ne");
    EXPECT_EQ(e.Length(), 11);
    EXPECT_EQ(e.LineStartOf(5), 4);
    EXPECT_EQ(e.LineEndOf(4), 6);
    EXPECT_EQ(e.LineStartOf(8), 8);
    EXPECT_EQ(e.LineEndOf(8), 8);
    EXPECT_EQ(e.LineEndOf(10), 11);
    EXPECT_EQ(e.Next(2), 4) << "a line break is one step";
    EXPECT_EQ(e.Previous(4), 2);
    e.Select(1, 6);
    EXPECT_EQ(e.SelText(), "b\r\ncd");
}
}  // namespace

namespace {
using platform::forms::TextLines;

// Widths as a font gives them: most letters 7 pixels, a wide one 13, an accented one 8.
int Width(std::string_view character) { return character == "W" ? 13 : character == "\xC3\xA9" ? 8 : 7; }

TEST(TextLines, MendedAfterEveryEditAsIfLaidOutAfresh) {
    const std::vector<std::string> pieces = {"a", "b", " ", "W", "\xC3\xA9", "\r\n", "\n", "abcdefghijklmnop", "  "};
    std::mt19937 random(38);
    for (int round = 0; round < 300; ++round) {
        TextEdit e;
        std::string start;
        for (int i = random() % 40; i > 0; --i) start += pieces[random() % pieces.size()];
        e.SetText(start);
        const int width = 10 + static_cast<int>(random() % 90);
        TextLines kept;
        kept.Lines(e, true, width, Width);
        kept.Offsets(e, Width);
        for (int step = 0; step < 40; ++step) {
            std::string piece;
            for (int i = random() % 3; i > 0; --i) piece += pieces[random() % pieces.size()];
            e.Select(static_cast<int>(random() % (e.Length() + 1)), static_cast<int>(random() % (e.Length() + 1)));
            if (!e.ReplaceSelection(piece)) continue;
            kept.Edited(e.LastChange());
            SCOPED_TRACE(testing::PrintToString(e.Text()) + " at width " + std::to_string(width));
            ASSERT_EQ(e.Length(), platform::forms::CharacterCount(e.Text()));
            TextLines fresh;
            ASSERT_EQ(kept.Lines(e, true, width, Width), fresh.Lines(e, true, width, Width));
            ASSERT_EQ(kept.Offsets(e, Width), fresh.Offsets(e, Width));
            // Byte offsets as a count from the start gives them.
            const int p = static_cast<int>(random() % (e.Length() + 1));
            std::size_t byte = 0;
            for (int n = 0; n < p; ++n)
                do ++byte;
                while (byte < e.Text().size() && (static_cast<unsigned char>(e.Text()[byte]) & 0xC0) == 0x80);
            ASSERT_EQ(e.ByteOffset(p), byte);
            ASSERT_EQ(e.PositionOfByte(byte), p);
        }
    }
}

TEST(TextLines, TypingIntoALongTextMeasuresOnlyTheLinesItTouches) {
    std::string words;
    while (words.size() < 20'000) words += "abcdefg ";
    TextEdit e;
    e.SetText(words);
    int measured = 0;
    const TextLines::Measure counted = [&measured](std::string_view c) {
        ++measured;
        return Width(c);
    };
    TextLines wrapped, single;
    wrapped.Lines(e, true, 350, counted);  // 50 characters a line
    single.Offsets(e, counted);
    // A line break in the middle of a paragraph moves every later line of it, so it goes at the
    // ends only.
    for (const char* typed : {"x", " ", "\xC3\xA9", "\r\n"}) {
        for (const int at : {e.Length(), e.Length() / 2, 0}) {
            if (typed[0] == '\r' && at == e.Length() / 2) continue;
            SCOPED_TRACE(testing::PrintToString(std::string(typed)) + " typed at " + std::to_string(at));
            e.SetSelStart(at);
            e.Insert(typed, 0);
            wrapped.Edited(e.LastChange());
            single.Edited(e.LastChange());
            measured = 0;
            wrapped.Lines(e, true, 350, counted);
            EXPECT_LE(measured, 3 * 50);
            measured = 0;
            single.Offsets(e, counted);
            EXPECT_LE(measured, 2);
            e.Backspace();
            wrapped.Edited(e.LastChange());
            single.Edited(e.LastChange());
            measured = 0;
            wrapped.Lines(e, true, 350, counted);
            single.Offsets(e, counted);
            EXPECT_LE(measured, 3 * 50);
        }
    }
}
}  // namespace
