#include "canvas.h"
#include "image_builders.h"
#include "platform/draw/hooks.h"
#include "tests/support/test_services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

namespace {
using namespace drawtest;
namespace fs = std::filesystem;

// The 3 x 2 picture every format below encodes: red, green, blue over white, black, grey.
constexpr std::uint32_t kPicture[2][3] = {{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu},
                                          {0xFFFFFFFFu, 0xFF000000u, 0xFF808080u}};

void ExpectPicture(const DecodedImage& image, const std::string& label) {
    ASSERT_TRUE(image) << label << ": " << image.error;
    ASSERT_EQ(image.surface->width(), 3) << label;
    ASSERT_EQ(image.surface->height(), 2) << label;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(image.surface->at(x, y), kPicture[y][x]) << label << " at " << x << "," << y;
}

class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        path_ = fs::temp_directory_path() / ("ozr-draw-" + std::to_string(random()));
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string write(const std::string& name, const Bytes& bytes) const {
        const fs::path file = path_ / name;
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                     static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }
    std::string path(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

TEST(DrawImages, BitmapFilesOfEveryDepth) {
    const std::vector<std::uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};
    auto index = [](int x, int y) { return static_cast<std::uint32_t>(y * 3 + x); };
    auto argb = [](int x, int y) { return kPicture[y][x]; };
    auto rgb555 = [](int x, int y) {
        const std::uint32_t p = kPicture[y][x];
        auto five = [](std::uint32_t c) { return (c >> 3) & 0x1F; };
        return (five(p >> 16) << 10) | (five(p >> 8) << 5) | five(p);
    };
    struct Case {
        const char* label;
        int bpp;
        bool topDown;
        std::vector<std::uint32_t> palette;
        std::function<std::uint32_t(int, int)> value;
    };
    const Case cases[] = {
        {"24-bit bottom-up", 24, false, {}, argb},
        {"24-bit top-down", 24, true, {}, argb},
        {"32-bit", 32, false, {}, [](int x, int y) { return kPicture[y][x] & 0xFFFFFF; }},  // alpha byte unused
        {"8-bit palette", 8, false, palette, index},
        {"4-bit palette", 4, false, palette, index},
    };
    for (const Case& c : cases) {
        const Bytes dib = MakeDib(c.bpp, 3, 2, c.topDown, c.palette, c.value);
        ExpectPicture(DecodeImage(MakeBmp(dib, c.palette.size() * 4)), c.label);
    }
    // 16 bits keep five bits a channel: full and empty channels survive exactly.
    const DecodedImage sixteen = DecodeImage(MakeBmp(MakeDib(16, 3, 2, false, {}, rgb555), 0));
    ASSERT_TRUE(sixteen) << sixteen.error;
    EXPECT_EQ(sixteen.surface->at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(sixteen.surface->at(1, 1), 0xFF000000u);
    // One bit a pixel: a two-colour palette.
    const DecodedImage mono =
        DecodeImage(MakeBmp(MakeDib(1, 9, 1, false, {0x000000, 0xFFFFFF}, [](int x, int) { return x % 2u; }), 8));
    ASSERT_TRUE(mono) << mono.error;
    for (int x = 0; x < 9; ++x) EXPECT_EQ(mono.surface->at(x, 0), x % 2 ? 0xFFFFFFFFu : 0xFF000000u) << x;
}

TEST(DrawImages, PngRoundTripsThroughTheWriter) {
    TempFolder folder;
    Surface surface(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) surface.at(x, y) = kPicture[y][x];
    ASSERT_TRUE(WritePng(surface, folder.path("shot.png")));
    ExpectPicture(LoadImageFile(folder.path("shot.png")), "written PNG");
    EXPECT_FALSE(WritePng(surface, folder.path("no/such/folder/shot.png")));
}

TEST(DrawImages, PngAlphaIsPremultiplied) {
    const Bytes png = MakePng(2, 1, [](int x, int) { return x == 0 ? 0x80FF0000u : 0x00FFFFFFu; });
    const DecodedImage image = DecodeImage(png);
    ASSERT_TRUE(image) << image.error;
    EXPECT_EQ(image.surface->at(0, 0), 0x80800000u);
    EXPECT_EQ(image.surface->at(1, 0), 0x00000000u);
}

TEST(DrawImages, GifGivesItsFirstFrameWithTransparency) {
    const std::vector<std::uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    const Bytes gif = MakeGif(3, 2, palette, {{0, 1, 2, 3, 3, 3}, {2, 2, 2, 2, 2, 2}}, -1);
    const DecodedImage image = DecodeImage(gif);
    ASSERT_TRUE(image) << image.error;
    ASSERT_EQ(image.surface->width(), 3);
    EXPECT_EQ(image.surface->at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image.surface->at(1, 0), 0xFF00FF00u);
    EXPECT_EQ(image.surface->at(2, 0), 0xFF0000FFu);
    EXPECT_EQ(image.surface->at(0, 1), 0xFFFFFFFFu);
    const DecodedImage keyed = DecodeImage(MakeGif(2, 1, palette, {{3, 0}}, 3));
    ASSERT_TRUE(keyed) << keyed.error;
    EXPECT_EQ(keyed.surface->at(0, 0) >> 24, 0u);
    EXPECT_EQ(keyed.surface->at(1, 0), 0xFFFF0000u);
}

TEST(DrawImages, JpegDecodesItsColours) {
    const DecodedImage image = LoadImageFile(std::string(OZR_FIXTURES_DIR) + "/draw/red_blue_16x8.jpg");
    ASSERT_TRUE(image) << image.error;
    ASSERT_EQ(image.surface->width(), 16);
    ASSERT_EQ(image.surface->height(), 8);
    const COLORREF left = PixelColor(image.surface->at(2, 4));
    const COLORREF right = PixelColor(image.surface->at(13, 4));
    EXPECT_GT(GetRValue(left), 230);
    EXPECT_LT(GetBValue(left), 30);
    EXPECT_GT(GetBValue(right), 230);
    EXPECT_LT(GetRValue(right), 30);
}

TEST(DrawImages, IconsPickTheNearestSizeAndKeepTheirTransparency) {
    const std::function<bool(int, int)> corner = [](int x, int y) { return x == 0 && y == 0; };
    const Bytes withMask = MakeDib(24, 8, 8, false, {}, [](int, int) { return 0x00FF00u; }, &corner);
    const std::function<bool(int, int)> noMask = [](int, int) { return false; };
    const Bytes withAlpha = MakeDib(32, 16, 16, false, {}, [](int x, int) { return x < 8 ? 0x800000FFu : 0xFF0000FFu; },
                                    &noMask);
    const Bytes png = MakePng(32, 32, [](int, int) { return 0xFFFF0000u; });
    const Bytes ico = MakeIco({{8, 24, withMask}, {16, 32, withAlpha}, {32, 32, png}});

    struct Case {
        int preferred;
        int expectedSize;
    };
    for (Case c : {Case{0, 8}, Case{8, 8}, Case{15, 16}, Case{16, 16}, Case{32, 32}, Case{48, 32}}) {
        const DecodedImage image = DecodeImage(ico, c.preferred);
        ASSERT_TRUE(image) << image.error;
        EXPECT_EQ(image.surface->width(), c.expectedSize) << c.preferred;
    }
    const DecodedImage masked = DecodeImage(ico, 8);
    EXPECT_EQ(masked.surface->at(0, 0), 0u);  // the mask makes it transparent
    EXPECT_EQ(masked.surface->at(1, 0), 0xFF00FF00u);
    EXPECT_EQ(masked.surface->at(7, 7), 0xFF00FF00u);
    const DecodedImage alpha = DecodeImage(ico, 16);
    EXPECT_EQ(alpha.surface->at(0, 0), 0x80000080u);  // half-transparent blue, premultiplied
    EXPECT_EQ(alpha.surface->at(15, 0), 0xFF0000FFu);
    EXPECT_EQ(DecodeImage(ico, 32).surface->at(5, 5), 0xFFFF0000u);
}

TEST(DrawImages, BrokenFilesAreErrorsNotCrashes) {
    const Bytes goodBmp = MakeBmp(MakeDib(24, 3, 2, false, {}, [](int, int) { return 0u; }), 0);
    const Bytes goodPng = MakePng(4, 4, [](int, int) { return 0xFF123456u; });
    const std::vector<std::uint32_t> palette = {0, 0, 0, 0};
    const Bytes goodGif = MakeGif(2, 2, palette, {{0, 1, 2, 3}}, -1);
    auto cut = [](const Bytes& b, std::size_t n) { return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n)); };
    Bytes hugeBmp = goodBmp;
    hugeBmp[18] = 0xFF, hugeBmp[19] = 0xFF, hugeBmp[20] = 0xFF, hugeBmp[21] = 0x7F;  // width 2^31 - 1
    Bytes rleBmp = goodBmp;
    rleBmp[30] = 1;  // run-length compressed
    Bytes farIcon = MakeIco({{8, 32, Bytes(40, 0)}});
    farIcon[18] = 0xFF, farIcon[19] = 0xFF;  // image offset beyond the file
    Bytes badPngCrc = goodPng;
    badPngCrc[30] ^= 0xFF;

    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"random", {0x12, 0x34, 0x56, 0x78, 0x9A}},
        {"bitmap header only", cut(goodBmp, 20)},
        {"bitmap pixels cut short", cut(goodBmp, goodBmp.size() - 4)},
        {"bitmap absurdly wide", hugeBmp},
        {"bitmap compressed", rleBmp},
        {"PNG signature only", cut(goodPng, 8)},
        {"PNG cut short", cut(goodPng, goodPng.size() / 2)},
        {"PNG damaged", badPngCrc},
        {"JPEG start then rubbish", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 2, 3}},
        {"GIF header only", cut(goodGif, 13)},
        {"icon without images", {0, 0, 1, 0, 0, 0}},
        {"icon image outside the file", farIcon},
        {"icon directory cut short", cut(farIcon, 10)},
    };
    for (const auto& [label, bytes] : cases) {
        const DecodedImage image = DecodeImage(bytes);
        EXPECT_FALSE(image) << label;
        EXPECT_FALSE(image.error.empty()) << label;
    }
    TempFolder folder;
    EXPECT_FALSE(LoadImage(folder.write("broken.bmp", cut(goodBmp, 30)), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    EXPECT_FALSE(LastImageError().empty());
    EXPECT_FALSE(LoadImage(folder.path("missing.bmp"), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    EXPECT_NE(LastImageError().find("missing.bmp"), std::string::npos);
    EXPECT_FALSE(LoadImageFile(folder.path("")));  // a folder is not a picture
}

TEST(DrawImages, DamagedCopiesOfGoodFilesNeverCrash) {
    const std::function<bool(int, int)> noMask = [](int, int) { return false; };
    const std::vector<std::uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    std::ifstream jpegFile(std::string(OZR_FIXTURES_DIR) + "/draw/red_blue_16x8.jpg", std::ios::binary);
    const Bytes jpeg((std::istreambuf_iterator<char>(jpegFile)), std::istreambuf_iterator<char>());
    const Bytes originals[] = {
        MakeBmp(MakeDib(8, 5, 3, false, palette, [](int x, int) { return x % 4u; }), 16),
        MakePng(5, 3, [](int x, int) { return 0x80000000u | static_cast<std::uint32_t>(x) * 40; }),
        MakeGif(5, 3, palette, {std::vector<std::uint8_t>(15, 2)}, 1),
        MakeIco({{4, 32, MakeDib(32, 4, 4, false, {}, [](int, int) { return 0x80FF0000u; }, &noMask)}}),
        jpeg,
    };
    std::mt19937 random(1234);
    for (const Bytes& original : originals) {
        ASSERT_TRUE(DecodeImage(original)) << DecodeImage(original).error;
        for (int round = 0; round < 300; ++round) {
            Bytes damaged = original;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < changes; ++i) damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
            if (random() % 4 == 0) damaged.resize(random() % damaged.size());
            const DecodedImage image = DecodeImage(damaged, 16);
            if (image) EXPECT_TRUE(image.surface->width() > 0 && image.surface->height() > 0);
            else EXPECT_FALSE(image.error.empty());
        }
    }
}

TEST(DrawImages, LoadImageMakesBitmapsAndIconsOfTheAskedSize) {
    TempFolder folder;
    const std::string bmp = folder.write("Gradient.bmp", MakeBmp(MakeDib(24, 3, 2, false, {}, [](int x, int y) {
                                                                    return kPicture[y][x];
                                                                }),
                                                                0));
    HBITMAP natural = LoadImage(bmp, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    ASSERT_TRUE(natural) << LastImageError();
    BITMAP info{};
    GetObject(natural, &info);
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);

    HBITMAP stretched = LoadImage(bmp, IMAGE_BITMAP, 6, 4, LR_LOADFROMFILE);
    ASSERT_TRUE(stretched);
    auto pixels = SurfaceOfBitmap(stretched);
    EXPECT_EQ(pixels->width(), 6);
    EXPECT_EQ(pixels->at(1, 1), kPicture[0][0]);
    EXPECT_EQ(pixels->at(5, 3), kPicture[1][2]);

    // Drawn through a memory DC like any bitmap.
    Canvas canvas(3, 2);
    HDC source = CreateCompatibleDC(canvas.dc());
    SelectObject(source, natural);
    BitBlt(canvas.dc(), 0, 0, 3, 2, source, 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.at(2, 0), RGB(0, 0, 255));
    DeleteDC(source);

    const std::string ico = folder.write("Alarm.ico", MakeIco({{16, 32, MakePng(16, 16, [](int, int) { return 0xFF00FF00u; })}}));
    HICON icon = LoadImage(ico, IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE);
    ASSERT_TRUE(icon) << LastImageError();
    GetObject(icon, &info);
    EXPECT_EQ(info.bmWidth, kDefaultIconSize);
    HDC dc = CreateCompatibleDC(HDC());
    EXPECT_FALSE(SelectObject(dc, icon));  // an icon is no bitmap to draw into
    DeleteDC(dc);
    EXPECT_FALSE(DestroyIcon(natural));
    EXPECT_TRUE(DestroyIcon(icon));

    EXPECT_FALSE(LoadImage(bmp, IMAGE_BITMAP, 0, 0, 0));  // no resources, only files

    // Paths written the clock's way reach the file through the mapper.
    testsupport::ServiceScope services;
    testsupport::UseScriptedDrawingHost().mapPath = [](const std::string& path) {
        std::string mapped = path;
        std::replace(mapped.begin(), mapped.end(), '\\', '/');
        return mapped;
    };
    std::string backslashed = bmp;
    std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
    HBITMAP mapped = LoadImage(backslashed, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    EXPECT_TRUE(mapped) << LastImageError();
    for (HGDIOBJ object : {natural, stretched, mapped}) DeleteObject(object);
}

}  // namespace
