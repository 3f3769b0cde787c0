// The shared section seen as bytes, as the other context maps it: each export's arguments land
// at their fixed offsets and widths, and texts never run past their fields.
#include "clock_library_support.h"

using namespace platform;
using namespace cliblib;

namespace {

class SharedSection : public LoadedLibrary {};

TEST_F(SharedSection, SettingsLandAtTheirOffsetsAndWidths) {
    lib.OZRSetClockTooltip(1, 0x1234, 0x2345, 0x3456, 0xC8);
    lib.OZRSetClockRefresh(100000);
    lib.OZRSetClockBackground(0x00C0FFEE);
    lib.OZRSetClockStyle(-2);
    lib.OZRSetClockPaintThreshold(0x0102);
    lib.OZRSetClockBugFixer(1);
    lib.OZRSetClockDebugMode(0xFF);
    lib.OZRSetClockShortcutCount(-3);
    lib.OZRSetClockType(hooklib::kFloatingClock);
    lib.OZRSetClockTransparent(1);
    lib.OZRShowPopupHelp(HWND{0x44}, "title", "text", 700, 0x0ABC, 1);
    EXPECT_EQ(lib.OZRSpecifyTooltipMasterWindow(HWND{0x12345}), HWND{0x12345});
    lib.OZRNextAlarmFiringTime(3725);

    struct Field {
        std::size_t offset;
        std::size_t width;
        std::int64_t value;
    };
    const Field fields[] = {
        {0x410, 1, 1},      {0x40e, 2, 0x1234}, {0x40c, 2, 0x2345},      {0x40a, 2, 0x3456},
        {0x409, 1, 0xC8},   {0x404, 4, 100000}, {0x414, 4, 0x00C0FFEE}, {0x418, 2, -2},
        {0x402, 2, 0x0102}, {0x401, 1, 1},      {0x400, 1, 0xFF},        {0x528, 1, 1},
        {0x18c, 1, 1},      {0x408, 1, 1},      {0x008, 1, 1},           {0x00a, 2, 0x0ABC},
        {0x00c, 4, 0x12345}, {0x004, 4, 3725},
    };
    for (const Field& f : fields) {
        SCOPED_TRACE(f.offset);
        std::int64_t stored = f.width == 1   ? lib.At<std::uint8_t>(f.offset)
                              : f.width == 2 ? lib.At<std::int16_t>(f.offset)
                                             : lib.At<std::int32_t>(f.offset);
        EXPECT_EQ(stored, f.width == 1 ? (f.value & 0xFF) : f.width == 2 ? static_cast<std::int16_t>(f.value) : f.value);
    }
    // The countdown's second stamp: the tick count in seconds when the count came.
    EXPECT_EQ(lib.At<std::uint32_t>(0x000), static_cast<std::uint32_t>(GetTickCount64() / 1000));
    // Neighbours of the one-byte fields stay untouched.
    EXPECT_EQ(lib.At<std::uint8_t>(0x411), 0);
    EXPECT_EQ(lib.At<std::uint8_t>(0x18d), 0);
    EXPECT_EQ(lib.At<std::uint8_t>(0x009), 0);

    lib.OZRSetClockShortcutCount(0);
    lib.OZRSetClockType(hooklib::kSystrayClock);
    EXPECT_EQ(lib.At<std::uint8_t>(0x528), 0);
    EXPECT_EQ(lib.At<std::uint8_t>(0x18c), 0);
}

TEST_F(SharedSection, StatusAnswersComeFromTheSection) {
    std::int32_t out = -7, out2 = -7;
    lib.OZRRequestDLLStatus(1, &out, &out2);
    EXPECT_EQ(out, 0);
    lib.OZRSetClockTransparent(1);
    lib.OZRRequestDLLStatus(1, &out, nullptr);
    EXPECT_EQ(out, 1);
    lib.share->EasyTransparency = 1;
    lib.share->OSCode = 6;
    lib.OZRRequestDLLStatus(1, &out, nullptr);
    EXPECT_EQ(out, 2);  // easy transparency on a system that could have had the full one
    lib.share->OSCode = 5;
    lib.OZRRequestDLLStatus(1, &out, nullptr);
    EXPECT_EQ(out, 3);  // easy transparency because the system is old
    lib.share->ColourCount = 12;
    lib.OZRRequestDLLStatus(2, &out, nullptr);
    EXPECT_EQ(out, 12);
    lib.share->OSBuild = 2222;
    lib.OZRRequestDLLStatus(3, &out, &out2);
    EXPECT_EQ(out, 5);
    EXPECT_EQ(out2, 2222);
    out = out2 = -7;
    lib.OZRRequestDLLStatus(4, &out, &out2);
    EXPECT_EQ(out, -7);
    EXPECT_EQ(out2, -7);
    lib.OZRRequestDLLStatus(3, nullptr, nullptr);  // nowhere to write: nothing written
}

TEST_F(SharedSection, AnUnhookedTaskbarRequestIsStagedWithItsTextsCutToTheirFields) {
    SetUpSystrayClock();
    // No taskbar runs: no hook is installed, the main window is found for the debug lines.
    EXPECT_EQ(lib.OZRHookSystem(), 0u);
    EXPECT_EQ(lib.At<std::uint32_t>(0x184), 0u);
    EXPECT_EQ(lib.At<std::int32_t>(0x128), 0);  // no refresh timer
    EXPECT_EQ(lib.At<std::uint32_t>(0x15c), main.hwnd.id());
    EXPECT_TRUE(main.Logged("{WINAPI => OZRHookSystem}: Taskbar clock not found. System not hooked."));

    lib.OZRSetClockLabelCount(3);
    EXPECT_EQ(lib.At<std::int16_t>(0x1a6), 3);
    EXPECT_EQ(lib.At<std::uint8_t>(0x1a2), 1);  // waits: nothing serves it, nothing answers
    EXPECT_EQ(main.Count(hooklib::CN_LABELSREADY), 0);

    const std::string face(40, 'F');
    std::string format(600, 'x');
    format[497] = '\xC3';  // a two-byte sequence across the cut: left out whole
    format[498] = '\xA9';
    format[499] = '\xC3';
    format[500] = '\xA9';
    lib.OZRSetClockLabelProperties(2, -5, 7, face.c_str(), 12, 700, 0xFF, 0, 0xFF, 0x00112233, 0x00445566,
                                   format.c_str(), 0);
    EXPECT_EQ(lib.At<std::int16_t>(0x1a4), 2);
    EXPECT_EQ(lib.At<std::uint8_t>(0x1a1), 1);
    EXPECT_EQ(lib.At<std::int16_t>(0x1b8), -5);
    EXPECT_EQ(lib.At<std::int16_t>(0x1ba), 7);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(lib.Bytes() + 0x1bc)), std::string(33, 'F'));
    EXPECT_EQ(lib.At<std::int16_t>(0x1de), 12);
    EXPECT_EQ(lib.At<std::int16_t>(0x1e0), 700);
    EXPECT_EQ(lib.At<std::uint8_t>(0x1e2), 0xFF);
    EXPECT_EQ(lib.At<std::uint8_t>(0x1e3), 0);
    EXPECT_EQ(lib.At<std::uint8_t>(0x1e4), 0xFF);
    EXPECT_EQ(lib.At<std::int32_t>(0x1e8), 0x00112233);
    EXPECT_EQ(lib.At<std::int32_t>(0x1ec), 0x00445566);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(lib.Bytes() + 0x1f0)), format.substr(0, 499));
    for (std::size_t i = 0x1f0 + 499; i < 0x1f0 + 516; ++i) EXPECT_EQ(lib.Bytes()[i], 0) << i;
    EXPECT_EQ(lib.At<std::uint8_t>(0x3f4), 0);
    EXPECT_EQ(main.CountLines("{OZRSetClockLabelProperties}: Face too long for its field; cut."), 1);
    EXPECT_EQ(main.CountLines("{OZRSetClockLabelProperties}: Format too long for its field; cut."), 1);

    // An index the count does not hold stages nothing.
    lib.share->LabelPropertiesPending = 0;
    lib.OZRSetClockLabelProperties(3, 1, 1, "Arial", 8, 400, 0, 0, 0, 0, 0, "hh", 1);
    lib.OZRSetClockLabelPositioning(-1, 1, 1);
    EXPECT_EQ(lib.At<std::uint8_t>(0x1a1), 0);
    EXPECT_EQ(lib.At<std::uint8_t>(0x1a0), 0);
    EXPECT_EQ(lib.At<std::int16_t>(0x1a4), 2);

    // The next hook starts from a clean slate: the unserved count is dropped.
    EXPECT_EQ(lib.OZRHookSystem(), 0u);
    EXPECT_EQ(lib.At<std::uint8_t>(0x1a2), 0);
    EXPECT_EQ(lib.At<std::int16_t>(0x1a6), 0);
}

TEST_F(SharedSection, TheImageFolderIsCutToItsField) {
    lib.share->SizeFixCount = 0x01020304;
    lib.OZRSetClockImageResource("/opt/ozr/GUI/");
    EXPECT_EQ(std::string(lib.share->ImageFolder), "/opt/ozr/GUI/");
    const std::string longFolder(300, 'g');
    lib.OZRSetClockImageResource(longFolder.c_str());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(lib.Bytes() + 0x420)), std::string(259, 'g'));
    EXPECT_EQ(lib.At<std::int32_t>(0x524), 0x01020304);  // the field after it is untouched
    lib.OZRSetClockImageResource(nullptr);
    EXPECT_EQ(lib.Bytes()[0x420], 0);
}

}  // namespace
