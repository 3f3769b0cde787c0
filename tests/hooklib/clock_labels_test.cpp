// The label records behind the requests, seen from inside the library (linked in): where they
// live, what the properties set, and the bounds every request is checked against.
#include <gtest/gtest.h>

#include "../platform/window/window_test_support.h"
#include "hooklib/clock_labels.h"
#include "hooklib/context_labels.h"
#include "hooklib/ozrclock_exports.h"
#include "hooklib/shared_state.h"
#include "platform/shell/taskbar.h"

using namespace platform;
using namespace hooklib;

namespace {

class ClockLabels : public ::testing::Test {
protected:
    void SetUp() override {
        wintest::UseVirtualClock();
        Share() = SharedHookState{};
        main = wintest::MakeWindow("Form", "OZR Ruriv Main Window");
        wintest::Reactions()[main.id()] = [this](HWND, UINT msg, WPARAM w, LPARAM, LRESULT* r) {
            if (msg != WM_CLOCKNOTIFY) return false;
            if (w == CN_LABELSREADY) ++answers;
            *r = 0;
            return true;
        };
    }
    void TearDown() override {
        OZRFreeDLLMemory();
        StopShell();
        wintest::Reactions().erase(main.id());
        DestroyWindow(main);
    }
    HWND main;
    int answers = 0;
};

TEST_F(ClockLabels, FloatingPropertiesFillTheRecordAndParseItsScript) {
    OZRSetClockType(kFloatingClock);
    OZRHookSystem();
    OZRSetClockLabelCount(2);
    ASSERT_EQ(ContextLabels().size(), 2u);
    OZRSetClockLabelProperties(1, 300, -45, "Verdana", 9, 700, 0xFF, 0, 0xFF, 0x00102030, 0x00405060, "achh:mm", 0);
    const HookLabel& label = *ContextLabel(1);
    EXPECT_EQ(label.X, 300);
    EXPECT_EQ(label.Y, -45);
    EXPECT_EQ(LabelFace(label), "Verdana");
    EXPECT_EQ(label.Size, 9);
    EXPECT_EQ(label.Weight, 700);
    EXPECT_EQ(label.Italic, 0xFF);
    EXPECT_EQ(label.StrikeOut, 0xFF);
    EXPECT_EQ(label.BackColor, 0x00102030u);
    EXPECT_EQ(label.TextColor, 0x00405060u);
    EXPECT_EQ(LabelFormatText(label), "achh:mm");
    EXPECT_EQ(label.Shown, 1);  // the floating clock shows what it is sent
    EXPECT_EQ(label.LabelFlags, kLabelAlignCentre);
    EXPECT_EQ(label.TokenCount, 4);
    EXPECT_EQ(ContextLabel(0)->Shown, 0);
    EXPECT_EQ(answers, 2);

    OZRSetClockLabelPositioning(1, 20, 7);
    EXPECT_EQ(ContextLabel(1)->X, 20);
    EXPECT_EQ(ContextLabel(1)->Y, 7);
    EXPECT_EQ(answers, 2);

    // Outside the count nothing changes and nothing is answered.
    OZRSetClockLabelProperties(2, 1, 1, "Arial", 8, 400, 0, 0, 0, 0, 0, "ss", 1);
    OZRSetClockLabelProperties(-1, 1, 1, "Arial", 8, 400, 0, 0, 0, 0, 0, "ss", 1);
    OZRSetClockLabelPositioning(5, 1, 1);
    EXPECT_EQ(answers, 2);
    EXPECT_EQ(ContextLabels().size(), 2u);

    // A new count replaces the records; a negative one makes none.
    OZRSetClockLabelCount(-4);
    EXPECT_EQ(Share().HookLabelCount, 0);
    EXPECT_TRUE(ContextLabels().empty());
    EXPECT_EQ(answers, 3);
}

TEST_F(ClockLabels, SystrayRecordsAreMadeAndFilledInTheTaskbarsContextOnly) {
    ASSERT_TRUE(StartShell());
    OZRSetClockType(kSystrayClock);
    OZRSetClockBackground(0x00AABBCC);
    ASSERT_NE(OZRHookSystem(), 0u);
    OZRSetClockLabelCount(2);
    const std::string longFace(50, 'f');
    OZRSetClockLabelProperties(0, 1, 2, longFace.c_str(), 8, 400, 0, 0, 0, 0x00AABBCC, 0, "hh", 0);
    EXPECT_EQ(answers, 2);
    // The program's context does not see the taskbar's records.
    EXPECT_TRUE(ContextLabels().empty());
    {
        ContextScope shell(ProcessContext::Shell);
        ASSERT_EQ(ContextLabels().size(), 2u);
        const HookLabel& label = *ContextLabel(0);
        EXPECT_EQ(LabelFace(label), std::string(33, 'f'));
        EXPECT_EQ(LabelFormatText(label), "hh");
        EXPECT_EQ(label.Shown, 0);  // the systray clock keeps the label hidden
        EXPECT_EQ(label.Prepared, 0);
        EXPECT_EQ(label.TokenCount, 0);  // parsed when it is first painted
        EXPECT_EQ(Share().LabelsShareBackground, 1);
    }
    OZRSetClockLabelProperties(1, 1, 2, "Arial", 8, 400, 0, 0, 0, 0x00000001, 0, "mm", 1);
    OZRSetClockLabelPositioning(1, 33, 44);
    {
        ContextScope shell(ProcessContext::Shell);
        EXPECT_EQ(ContextLabel(1)->Shown, 1);
        EXPECT_EQ(ContextLabel(1)->X, 33);
        EXPECT_EQ(ContextLabel(1)->Y, 44);
        EXPECT_EQ(Share().LabelsShareBackground, 0);  // a shown label with another back colour
    }
    // A count in the section beyond what the context allocated never reaches past its records.
    Share().HookLabelCount = 9;
    {
        ContextScope shell(ProcessContext::Shell);
        EXPECT_EQ(ContextLabels().size(), 2u);
        EXPECT_EQ(ContextLabel(5), nullptr);
        ReleaseContextLabelStores();
    }
    OZRUnHookSystem();
}

}  // namespace
