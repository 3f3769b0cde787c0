// The label handshake through the loaded library: the count and each label's properties are
// answered before the export returns, from the taskbar's context for the systray clock, and the
// records stay with the context that holds them.
#include "clock_library_support.h"

using namespace platform;
using namespace cliblib;

namespace {

class LabelRequests : public LoadedLibrary {
protected:
    // Answers each acknowledgement with the next label, as the program's handshake does.
    void SendLabelsOnEachAnswer(int labels) {
        main.onNotify = [this, labels](WPARAM code) {
            if (code != hooklib::CN_LABELSREADY) return;
            ++answers;
            if (sent < labels) {
                int index = sent++;
                lib.OZRSetClockLabelProperties(static_cast<std::int16_t>(index), 0, 0, "Tahoma", 8, 400, 0, 0, 0,
                                               0x00FFFFFF, 0, "hh:mm", 0xFF);
            }
            if (countCallRunning) ++answersInsideCountCall;
        };
    }
    void SendCount(std::int16_t count) {
        countCallRunning = true;
        lib.OZRSetClockLabelCount(count);
        countCallRunning = false;
    }
    int sent = 0;
    int answers = 0;
    int answersInsideCountCall = 0;
    bool countCallRunning = false;
};

TEST_F(LabelRequests, TheSystrayHandshakeRunsNestedThroughTheTaskbarsContext) {
    StartTaskbar();
    SetUpSystrayClock();
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    SendLabelsOnEachAnswer(3);
    SendCount(3);
    EXPECT_EQ(sent, 3);
    EXPECT_EQ(answers, 4);  // the count and each label
    EXPECT_EQ(answersInsideCountCall, 4);
    EXPECT_TRUE(main.Logged("{OZRSetClockLabelCount}: Changed Ruriv Label Count to: 3"));
    EXPECT_EQ(lib.share->LabelAllocPending, 0);
    EXPECT_EQ(lib.share->LabelPropertiesPending, 0);
    EXPECT_NE(lib.share->HookLabels, 0u);

    // The records belong to the taskbar's context: the program cannot free them.
    const std::uint32_t records = lib.share->HookLabels;
    lib.OZRFreeDLLMemory();
    EXPECT_EQ(lib.share->HookLabels, records);

    // An index outside the count is not taken, and so not answered; a position is never answered.
    int before = answers;
    lib.OZRSetClockLabelProperties(3, 0, 0, "Tahoma", 8, 400, 0, 0, 0, 0, 0, "ss", 1);
    lib.OZRSetClockLabelPositioning(1, 12, 3);
    EXPECT_EQ(answers, before);
    EXPECT_EQ(lib.share->LabelPositionPending, 0);  // served

    // A count of 0 is answered too.
    SendCount(0);
    EXPECT_EQ(answers, before + 1);
    EXPECT_EQ(lib.share->HookLabelCount, 0);

    // The taskbar's context frees its records when the library leaves it.
    EXPECT_NE(lib.share->HookLabels, 0u);
    lib.OZRUnHookSystem();
    EXPECT_EQ(lib.share->HookLabels, 0u);
    EXPECT_EQ(lib.share->LabelFonts, 0u);
}

TEST_F(LabelRequests, TheFloatingClocksRecordsLiveInTheProgramsContext) {
    lib.OZRSetClockType(hooklib::kFloatingClock);
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    SendLabelsOnEachAnswer(2);
    SendCount(2);
    EXPECT_EQ(sent, 2);
    EXPECT_EQ(answersInsideCountCall, 3);
    EXPECT_NE(lib.share->HookLabels, 0u);
    EXPECT_EQ(lib.share->LabelFonts, lib.share->HookLabels);
    lib.OZRFreeDLLMemory();
    EXPECT_EQ(lib.share->HookLabels, 0u);
    EXPECT_EQ(lib.share->LabelFonts, 0u);
    // Without records a label is not taken.
    lib.OZRSetClockLabelProperties(0, 0, 0, "Tahoma", 8, 400, 0, 0, 0, 0, 0, "ss", 1);
    EXPECT_EQ(answers, 3);
}

}  // namespace
