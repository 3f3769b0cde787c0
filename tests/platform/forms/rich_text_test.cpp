// The rich-text reader (a table of inputs, malformed ones included), its layout, and the rich text
// box that loads the credits file.
#include <random>

#include "control_test_support.h"
#include "platform/forms/rich_text.h"
#include "platform/forms/rich_text_box.h"
#include "platform/forms/rich_text_layout.h"
#include "platform/services/paths.h"

namespace formtest {
namespace {

// A document as text: paragraphs by "¶", runs by "|" with their look in brackets:
// "a|[b]b|[i#0000FF]c" is a plain "a", a bold "b" and an italic red "c".
std::string Describe(const RichDocument& doc) {
    std::string out;
    for (std::size_t p = 0; p < doc.paragraphs.size(); ++p) {
        if (p > 0) out += "¶";
        const auto& para = doc.paragraphs[p];
        if (para.alignment == rtfCenter) out += "<c>";
        if (para.alignment == rtfRight) out += "<r>";
        for (std::size_t r = 0; r < para.runs.size(); ++r) {
            const RichRun& run = para.runs[r];
            if (r > 0) out += "|";
            std::string look;
            if (run.bold) look += "b";
            if (run.italic) look += "i";
            if (run.underline) look += "u";
            if (run.size > 0) look += std::to_string(static_cast<int>(run.size * 2)) + "h";
            if (run.hasColor) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "#%06X", static_cast<unsigned>(run.color));
                look += hex;
            }
            if (!look.empty()) out += "[" + look + "]";
            out += run.text;
        }
    }
    return out;
}

struct Case {
    const char* name;
    std::string source;
    std::string expected;
};

TEST(RichText, TheFormatsAndTheirEnds) {
    const Case cases[] = {
        {"plain text is one paragraph a line", "first\r\nsecond\n", "first¶second¶"},
        {"bold and italic runs", "{\\rtf1 a\\b b\\b0 c\\i d\\i0}", "a|[b]b|c|[i]d"},
        {"a group ends its formatting", "{\\rtf1 {\\b\\ul x} y}", "[bu]x| y"},
        {"colour table, auto and unknown entries",
         "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\cf1 red\\cf0 auto\\cf2 blue\\cf9 none}",
         "[#0000FF]red|auto|[#FF0000]blue|none"},
        {"paragraphs and alignment", "{\\rtf1\\qc Title\\par\\pard left\\par\\qr right}", "<c>Title¶left¶<r>right"},
        {"sizes in half points", "{\\rtf1\\fs28 big\\fs16 small\\plain plain}", "[28h]big|[16h]small|plain"},
        {"escaped characters", "{\\rtf1 a\\\\b\\{c\\}}", "a\\b{c}"},
        {"code page bytes", "{\\rtf1 caf\\'e9 \\'80}", "café €"},
        {"Unicode with its fallback", "{\\rtf1 x\\u8364?y\\u-3913\\'3fz}", "x€y\xEF\x82\xB7z"},
        {"UTF-8 text stays", "{\\rtf1 Ștefan Ürs}", "Ștefan Ürs"},
        {"line breaks and tabs", "{\\rtf1 a\\line b\\tab c}", "a\nb\tc"},
        {"source line breaks are no text", "{\\rtf1 a\r\nb\\\nc}", "ab¶c"},
        {"unknown words and destinations are skipped",
         "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\*\\generator Writer;}{\\info{\\title T}}\\foo12 text\\bar}", "text"},
        {"the delimiting blank belongs to the word", "{\\rtf1\\b  two}", "[b] two"},
    };
    for (const Case& c : cases) EXPECT_EQ(Describe(ParseRichText(c.source)), c.expected) << c.name;
}

TEST(RichText, MalformedInputIsReadAsFarAsItMakesSense) {
    const Case cases[] = {
        {"stray closing braces", "{\\rtf1 a}}} b}", "a b"},
        {"no closing brace", "{\\rtf1 {\\b open", "[b]open"},
        {"truncated escape", "{\\rtf1 x\\'4", "x"},
        {"backslash at the end", "{\\rtf1 x\\", "x"},
        {"huge numbers", "{\\rtf1\\fs99999999999999999999 a\\cf99999999999999 b\\u99999999?c}", "[400h]ab\xEF\xBF\xBF" "c"},
        {"negative sizes", "{\\rtf1\\fs-40 a}", "[2h]a"},
        {"bytes that are not UTF-8", "{\\rtf1 a\xFF\xC3(b}", "a\xEF\xBF\xBD\xEF\xBF\xBD(b"},
        {"an overlong control word", "{\\rtf1\\" + std::string(5000, 'x') + " text}", "text"},
        {"a colour table without entries", "{\\rtf1{\\colortbl}\\cf1 x}", "x"},
    };
    for (const Case& c : cases) EXPECT_EQ(Describe(ParseRichText(c.source)), c.expected) << c.name;

    std::string deep = "{\\rtf1 " + std::string(100000, '{') + "\\b deep" + std::string(100000, '}') + " flat}";
    EXPECT_EQ(Describe(ParseRichText(deep)), "[b]deep| flat") << "groups too deep to follow belong to the deepest one followed";
}

TEST(RichText, RandomBytesNeverBreakTheReader) {
    std::mt19937 random(4);
    const std::string alphabet = "{}\\';*abcfiqu0123456789- \r\n\x80\xC3\xFF";
    for (int i = 0; i < 3000; ++i) {
        std::string s = "{\\rtf1 ";
        int n = static_cast<int>(random() % 200);
        for (int k = 0; k < n; ++k) s += alphabet[random() % alphabet.size()];
        RichDocument doc = ParseRichText(s);
        std::string text = doc.PlainText();
        // Whatever came in, what comes out is valid UTF-8.
        for (std::size_t k = 0; k < text.size();) {
            auto b = static_cast<unsigned char>(text[k]);
            std::size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
            ASSERT_NE(len, 0u) << s;
            for (std::size_t j = 1; j < len; ++j) ASSERT_EQ(static_cast<unsigned char>(text[k + j]) & 0xC0, 0x80) << s;
            k += len;
        }
    }
}

TEST(RichTextLayout, LinesBreakAtBlanksAndLongWordsBreakInside) {
    FontDescription font;
    RichDocument doc = ParseRichText("{\\rtf1 one two three four five six seven\\par\\qc mid\\par\\qr end\\par " +
                                     std::string(60, 'W') + "}");
    RichLayout layout = LayoutRichText(doc, font, 100);
    ASSERT_GE(layout.lines.size(), 6u);
    int top = 0;
    for (const RichLine& line : layout.lines) {
        EXPECT_EQ(line.top, top);
        top += line.height;
        for (const RichSegment& p : line.segments) {
            bool blanks = p.text.find_first_not_of(' ') == std::string::npos;
            if (!blanks) {
                EXPECT_LE(p.x + p.width, 100) << p.text;
            }
        }
    }
    EXPECT_EQ(layout.height, top);
    // The first paragraph starts with "one" at the left edge and wraps before a word that does not fit.
    EXPECT_EQ(layout.lines[0].segments[0].text, "one");
    EXPECT_EQ(layout.lines[0].segments[0].x, 0);
    EXPECT_NE(layout.lines[1].segments[0].text, "one");
    auto lineWith = [&](const std::string& word) -> const RichSegment& {
        for (const auto& l : layout.lines)
            for (const auto& p : l.segments)
                if (p.text == word) return p;
        static RichSegment none;
        return none;
    };
    const RichSegment& mid = lineWith("mid");
    EXPECT_NEAR(mid.x + mid.width / 2, 50, 2) << "centred";
    const RichSegment& end = lineWith("end");
    EXPECT_NEAR(end.x + end.width, 100, 1) << "right-aligned";
    int wLines = 0;
    for (const auto& l : layout.lines)
        if (!l.segments.empty() && l.segments[0].text[0] == 'W') ++wLines;
    EXPECT_GE(wLines, 2) << "a word wider than the line is broken inside";
}

struct AboutForm : Form {
    AboutForm() : Form("frmAbout") {}
    RichTextBox rtbThanks{this, "rtbThanks"};
    TextBox txtOther{this, "txtOther"};
    void Design() override {
        BorderStyle = vbBSNone;
        ScaleMode = vbPixels;
        Move(0, 0, 6000, 6000);
        rtbThanks.Move(10, 10, 300, 120);
        txtOther.Move(320, 10, 60, 21);
    }
};

class RichBox : public FormsTest {
protected:
    void TearDown() override { SetProgramFolder(""); }
};

TEST_F(RichBox, TheCreditsFileLoadsFromTheProgramFolder) {
    ScratchFolder folder;
    SetProgramFolder(folder.Root());
    folder.Write("Chest/Hall Of Fame.richtext", "{\\rtf1 {\\b Thanks}\\par to all}");
    AboutForm f;
    f.Show();
    f.rtbThanks.LoadFile("\\Chest\\Hall Of Fame.richtext");
    EXPECT_EQ(f.rtbThanks.Text(), "Thanks\nto all");
    EXPECT_EQ(f.rtbThanks.FileName(), "\\Chest\\Hall Of Fame.richtext");
    EXPECT_THROW(f.rtbThanks.LoadFile("\\Chest\\Missing.richtext"), Error);
    EXPECT_THROW(f.rtbThanks.LoadFile("\\Chest"), Error) << "a folder is no file";
    EXPECT_EQ(f.rtbThanks.Text(), "Thanks\nto all") << "a failed load keeps what was shown";
    folder.Write("Chest/Empty.richtext", "");
    f.rtbThanks.LoadFile("\\Chest\\Empty.richtext");
    EXPECT_EQ(f.rtbThanks.Text(), "") << "an empty file is an empty text";
    f.rtbThanks.Text = "plain\nlines";
    EXPECT_EQ(f.rtbThanks.Document().paragraphs.size(), 2u);
}

TEST_F(RichBox, ColoursAndBoldRunsArePainted) {
    AboutForm f;
    f.Show();
    f.rtbThanks.Text = "Same words";
    RECT box = OnScreen(f.rtbThanks.hWnd, RECT{4, 4, 296, 40});
    std::size_t plainInk = CountColor(ScreenPixels(box), RGB(0, 0, 0));
    ScratchFolder folder;
    std::string path = folder.Write("bold.richtext", "{\\rtf1\\b Same words}");
    f.rtbThanks.LoadFile(path);
    EXPECT_GT(CountColor(ScreenPixels(box), RGB(0, 0, 0)), plainInk) << "bold";
    path = folder.Write("red.richtext", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf1\\b Same words}");
    f.rtbThanks.LoadFile(path);
    EXPECT_GT(CountColor(ScreenPixels(box), RGB(255, 0, 0)), plainInk / 2) << "in the colour of the table";
    EXPECT_EQ(CountColor(ScreenPixels(box), RGB(0, 0, 0)), 0u);
}

TEST_F(RichBox, ALongTextScrollsWithTheKeys) {
    AboutForm f;
    f.Show();
    std::string text;
    for (int i = 0; i < 40; ++i) text += "Line " + std::to_string(i) + "\n";
    f.rtbThanks.Text = text;
    RECT bar = OnScreen(f.rtbThanks.hWnd, RECT{300 - 18, 1, 299, 119});
    EXPECT_GT(CountColor(ScreenPixels(bar), ResolveColor(vbButtonFace)), 50u) << "a scroll bar";
    f.rtbThanks.SetFocus();
    Key(VK_DOWN);
    int step = f.rtbThanks.ScrollTop();
    EXPECT_GT(step, 0);
    Key(VK_NEXT);
    EXPECT_GT(f.rtbThanks.ScrollTop(), step * 3);
    Key(VK_END);
    int bottom = f.rtbThanks.ScrollTop();
    Key(VK_DOWN);
    EXPECT_EQ(f.rtbThanks.ScrollTop(), bottom) << "not past the end";
    EXPECT_EQ(bottom, f.rtbThanks.Layout().height - (120 - 2 - 6));
    Key(VK_HOME);
    EXPECT_EQ(f.rtbThanks.ScrollTop(), 0);
}

}  // namespace
}  // namespace formtest
