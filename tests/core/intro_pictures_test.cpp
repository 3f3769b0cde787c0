// The pictures of the first-run window and the splash ship in the program folder as JPEG files of
// the sizes the windows show them at.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace {

struct JpegSize {
    int width = 0;
    int height = 0;
};

// The size from the baseline frame header; nothing when the bytes are not a whole JPEG file.
std::optional<JpegSize> BaselineJpegSize(const std::string& bytes) {
    auto at = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    if (bytes.size() < 4 || at(0) != 0xFF || at(1) != 0xD8 || at(bytes.size() - 2) != 0xFF || at(bytes.size() - 1) != 0xD9)
        return std::nullopt;
    for (std::size_t i = 2; i + 9 < bytes.size() && at(i) == 0xFF;) {
        const std::uint8_t marker = at(i + 1);
        const std::size_t length = at(i + 2) << 8 | at(i + 3);
        if (marker == 0xC0) return JpegSize{at(i + 7) << 8 | at(i + 8), at(i + 5) << 8 | at(i + 6)};
        i += 2 + length;
    }
    return std::nullopt;
}

TEST(IntroPictures, AreBaselineJpegFilesOfTheirWindowsSizes) {
    const struct {
        const char* name;
        int width, height;
    } pictures[] = {
        {"Splash.jpg", 510, 300},  // the whole intro window, 7650 x 4500 twips
        {"OZRClockSystray.jpg", 180, 110},
        {"OZRClockFloating.jpg", 180, 110},
        {"OZRClockSystrayM.jpg", 180, 110},
        {"OZRClockFloatingM.jpg", 180, 110},
    };
    for (const auto& picture : pictures) {
        std::ifstream in(std::string(OZR_PROGRAM_DIR) + "/GUI/Misc/" + picture.name, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        std::optional<JpegSize> size = BaselineJpegSize(bytes.str());
        ASSERT_TRUE(size) << picture.name;
        EXPECT_EQ(size->width, picture.width) << picture.name;
        EXPECT_EQ(size->height, picture.height) << picture.name;
    }
}

}  // namespace
