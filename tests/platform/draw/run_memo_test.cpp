// A run of text drawn again over the same pixels is copied from the last time; over other pixels,
// or with anything else changed, it is drawn anew, and either way it looks as drawn fresh.
#include "canvas.h"
#include "platform/draw/run_memo.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
using namespace drawtest;
using platform::draw::RunMemo;
using platform::draw::RunMemoKey;

constexpr Pixel kWhite = 0xFFFFFFFFu;
constexpr Pixel kInk = 0xFF102030u;

RunMemoKey KeyOf(const std::u32string& text) {
    RunMemoKey key;
    key.font = 1;
    key.text = text;
    key.color = kInk;
    key.size = SIZE{6, 4};
    return key;
}

// Draws a stand-in for a run into box through the memo, as DrawRun does; true when replayed.
bool Draw(RunMemo& memo, Surface& surface, const std::u32string& text, RECT box) {
    if (memo.Replay(KeyOf(text), surface, box)) return true;
    memo.Begin(KeyOf(text), surface, box);
    surface.fill(RECT{box.left + 1, box.top + 1, box.left + 3, box.top + 3}, kInk);
    memo.End(surface, box);
    return false;
}

TEST(RunMemo, ReplaysOnlyTheSameRunOverTheSamePixels) {
    RunMemo memo;
    Surface surface(20, 10, kWhite);
    const RECT box{2, 2, 8, 6};
    EXPECT_FALSE(Draw(memo, surface, U"12", box)) << "nothing was drawn before";
    surface.fill(surface.bounds(), kWhite);
    EXPECT_TRUE(Draw(memo, surface, U"12", box));
    EXPECT_EQ(surface.at(3, 3), kInk);
    EXPECT_EQ(surface.at(7, 5), kWhite);
    EXPECT_EQ(surface.at(1, 1), kWhite) << "outside the box nothing is written";

    surface.fill(surface.bounds(), kWhite);
    surface.at(7, 5) = 0xFFFF0000u;  // the background under the run changed
    EXPECT_FALSE(Draw(memo, surface, U"12", box));
    EXPECT_EQ(surface.at(7, 5), 0xFFFF0000u);
    EXPECT_FALSE(Draw(memo, surface, U"13", box)) << "another text";

    // A few runs are kept; the one used longest ago goes first.
    Surface plain(20, 10, kWhite);
    for (const char32_t* text : {U"a", U"b", U"c", U"d", U"e"}) Draw(memo, plain, text, box), plain.fill(plain.bounds(), kWhite);
    EXPECT_TRUE(Draw(memo, plain, U"e", box));
    plain.fill(plain.bounds(), kWhite);
    EXPECT_TRUE(Draw(memo, plain, U"b", box));
    plain.fill(plain.bounds(), kWhite);
    EXPECT_FALSE(Draw(memo, plain, U"a", box));
}

TEST(RunMemo, ALargeRunIsDrawnEveryTime) {
    RunMemo memo;
    Surface surface(200, 100, kWhite);
    const RECT box{0, 0, 200, 100};  // more pixels than a run is kept for
    ASSERT_GT(200L * 100, RunMemo::kMostPixels);
    EXPECT_FALSE(Draw(memo, surface, U"big", box));
    surface.fill(surface.bounds(), kWhite);
    EXPECT_FALSE(Draw(memo, surface, U"big", box));
}

// Text drawn again over the pixels it was first drawn over comes out pixel for pixel as that first
// drawing; over another background it is drawn on that background.
TEST(RunMemo, TextDrawnAgainLooksAsDrawnFresh) {
    HFONT font = CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, 0,
                            ANTIALIASED_QUALITY, 0, "Arial");
    Canvas canvas(80, 30);
    auto draw = [&](COLORREF back, const std::string& text) {
        canvas.surface().fill(canvas.surface().bounds(), OpaquePixel(back));
        HGDIOBJ old = SelectObject(canvas.dc(), font);
        SetBkMode(canvas.dc(), TRANSPARENT);
        SetTextColor(canvas.dc(), RGB(20, 40, 200));
        RECT r{2, 2, 78, 28};
        DrawText(canvas.dc(), text, &r, DT_LEFT | DT_NOPREFIX);
        SelectObject(canvas.dc(), old);
        const Surface& s = canvas.surface();
        return std::vector<Pixel>(s.bits(), s.bits() + static_cast<std::size_t>(s.width()) * s.height());
    };
    const COLORREF white = RGB(255, 255, 255), grey = RGB(230, 230, 230);
    const std::vector<Pixel> first = draw(white, "12:34");  // nothing remembered yet: drawn
    EXPECT_EQ(draw(white, "12:34"), first);
    const std::vector<Pixel> onGrey = draw(grey, "12:34");
    EXPECT_EQ(canvas.count(white), 0) << "nothing of the white background comes back over grey";
    EXPECT_NE(canvas.count(RGB(20, 40, 200)), 0);
    const std::vector<Pixel> other = draw(white, "12:35");
    EXPECT_NE(other, first);
    EXPECT_EQ(draw(white, "12:34"), first);
    EXPECT_EQ(draw(grey, "12:34"), onGrey);
    DeleteObject(font);
}

}  // namespace
