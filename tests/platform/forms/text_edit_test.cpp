// The text box's editing model: characters of UTF-8 text, CR LF as one step, the selection, and
// the maximum length, as a table of edits.
#include <gtest/gtest.h>

#include <functional>

#include "platform/forms/text_edit.h"

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
