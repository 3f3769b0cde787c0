// The input box on the whole program: shown modally with the caller's texts on the caller's point,
// it returns the typed text with code 1, or code 2 when cancelled or closed any other way.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "core/frm_zinput.h"
#include "core/globals.h"
#include "desktop_harness.h"
#include "platform/services/clipboard.h"
#include "tests/support/while_modal.h"

using namespace platform;
using desktop::Desktop;
using desktop::DesktopOptions;

namespace {

DesktopOptions LaterRun(int colorScheme = 3) {
    DesktopOptions o;
    o.prepare = [colorScheme](const std::filesystem::path& folder) {
        std::ofstream(folder / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n"
                                                     "[Main Settings]\nRunCount=4\nSplash=0\n[Aspect]\nColorScheme="
                                                  << colorScheme << "\n";
    };
    return o;
}

// Keys queued for the box's own loop.
void QueueKey(int vk, unsigned int character = 0) {
    InjectKey(vk, true, character);
    InjectKey(vk, false);
}
void QueueText(const std::string& text) {
    for (char c : text) QueueKey(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : static_cast<unsigned char>(c), static_cast<unsigned char>(c));
}

// What the user does while the box waits runs 100 ms after it was shown.
void AskModally(const std::string& defaultText, std::function<void()> user) {
    testsupport::WhileModalWaits(std::move(user));
    core::frmZInput().SetTexts("Rename", "New name of the alarm:", defaultText, "Accept", "Drop");
    core::frmZInput().SetProperties(6000, 4500);
    core::frmZInput().Show(platform::forms::vbModal);
}

TEST(InputBox, TypingOverTheSelectedDefaultAndEnterReturnsTheTextWithCodeOne) {
    Desktop d(LaterRun());
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    HWND focused, textBox;
    std::string prompt, caption;
    AskModally("Old name", [&] {
        HWND box = core::frmZInput().hWnd;
        caption = d.Text(box);
        focused = GetFocus();
        textBox = core::frmZInput().txtInput.hWnd;
        prompt = core::frmZInput().lblText.Caption;
        EXPECT_EQ(core::InputResultCode, core::kInputOpen);
        RECT r = d.Rect(box);
        // Centred on (400, 300) pixels.
        EXPECT_NEAR((r.left + r.right) / 2, 400, 1);
        EXPECT_NEAR((r.top + r.bottom) / 2, 300, 1);
        QueueText("Lunch");
        QueueKey(VK_RETURN, '\r');
    });
    EXPECT_EQ(caption, "Rename");
    EXPECT_EQ(prompt, "New name of the alarm:");
    EXPECT_EQ(focused, textBox) << "the Focuser gives the text box the focus";
    EXPECT_FALSE(core::frmZInput().IsLoaded());
    EXPECT_EQ(core::InputResultCode, core::kInputOk);
    EXPECT_EQ(core::InputResultText, "Lunch");

    // OK with an empty box: code 1 and the empty text.
    AskModally("Old name", [] {
        QueueKey(VK_DELETE);
        QueueKey(VK_RETURN, '\r');
    });
    EXPECT_EQ(core::InputResultCode, core::kInputOk);
    EXPECT_EQ(core::InputResultText, "");
}

TEST(InputBox, CancelAndTheCloseBoxReturnCodeTwo) {
    Desktop d(LaterRun());
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    AskModally("Old name", [] { QueueKey(VK_ESCAPE); });
    EXPECT_EQ(core::InputResultCode, core::kInputCancelled);
    EXPECT_EQ(core::InputResultText, "");

    core::InputResultText = "earlier answer";
    AskModally("Old name", [&] { PostMessage(core::frmZInput().hWnd, WM_CLOSE, 0, 0); });
    EXPECT_FALSE(core::frmZInput().IsLoaded());
    EXPECT_EQ(core::InputResultCode, core::kInputCancelled);
}

// A pasted text keeps all of its lines, joined; no line break, paired or lone, reaches the answer,
// which may become a section name.
TEST(InputBox, APasteJoinsItsLinesAndNoLineBreakIsReturned) {
    Desktop d(LaterRun());
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    ASSERT_TRUE(UseService<Clipboard>().SetText("Alpha\r\nBeta\nGamma"));
    AskModally("", [] {
        InjectKey(VK_CONTROL, true);
        QueueKey('V');
        InjectKey(VK_CONTROL, false);
        QueueKey(VK_RETURN, '\r');
    });
    EXPECT_EQ(core::InputResultText, "AlphaBetaGamma");
    AskModally("", [&] {
        core::frmZInput().txtInput.Text = "one\r\ntwo\nthree\rfour\r\n";
        core::frmZInput().cmdOk.Click();
    });
    EXPECT_EQ(core::InputResultCode, core::kInputOk);
    EXPECT_EQ(core::InputResultText, "onetwothreefour");
}

TEST(InputBox, TakesTheColoursOfTheScheme) {
    Desktop d(LaterRun(2));
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    COLORREF back = 0, text = 0, button = 0;
    AskModally("x", [&] {
        back = core::frmZInput().BackColor;
        text = core::frmZInput().lblText.ForeColor;
        button = core::frmZInput().cmdOk.BackColor;
        QueueKey(VK_ESCAPE);
    });
    EXPECT_EQ(back, 0x4C3C19u);
    EXPECT_EQ(text, 0xFFFFFFu);
    EXPECT_EQ(button, 0xFFFFFFu);
}

}  // namespace
