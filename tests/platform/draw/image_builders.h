// Small picture files built in memory, so the image tests need no binary fixtures.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace drawtest {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, std::uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
inline void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
inline void PutBE32(Bytes& b, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) b.push_back((v >> s) & 0xFF);
}

// A DIB (info header, palette, rows padded to 4 bytes). value(x, y) gives a palette index for
// 8 bits and fewer, else the pixel's little-endian bytes (16: 0RRRRRGGGGGBBBBB, 24/32: 0xAARRGGBB).
// An icon DIB doubles the height and appends the 1-bit mask mask(x, y).
inline Bytes MakeDib(int bpp, int w, int h, bool topDown, const std::vector<std::uint32_t>& palette,
                     const std::function<std::uint32_t(int, int)>& value,
                     const std::function<bool(int, int)>* mask = nullptr) {
    Bytes b;
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(w));
    Put32(b, static_cast<std::uint32_t>(mask ? 2 * h : (topDown ? -h : h)));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bpp));
    for (int i = 0; i < 6; ++i) Put32(b, i == 4 ? static_cast<std::uint32_t>(palette.size()) : 0);
    for (std::uint32_t c : palette) Put32(b, c & 0xFFFFFF);
    const int stride = (w * bpp + 31) / 32 * 4;
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        Bytes line(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = value(x, y);
            if (bpp <= 8) {
                const int bit = x * bpp;
                line[bit / 8] |= static_cast<std::uint8_t>(v << (8 - bpp - bit % 8));
            } else {
                for (int k = 0; k < bpp / 8; ++k) line[x * (bpp / 8) + k] = (v >> (8 * k)) & 0xFF;
            }
        }
        b.insert(b.end(), line.begin(), line.end());
    }
    if (mask) {
        const int maskStride = (w + 31) / 32 * 4;
        for (int row = 0; row < h; ++row) {
            Bytes line(static_cast<std::size_t>(maskStride), 0);
            for (int x = 0; x < w; ++x)
                if ((*mask)(x, h - 1 - row)) line[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            b.insert(b.end(), line.begin(), line.end());
        }
    }
    return b;
}

inline Bytes MakeBmp(const Bytes& dib, std::size_t paletteBytes) {
    Bytes b{'B', 'M'};
    Put32(b, static_cast<std::uint32_t>(14 + dib.size()));
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(14 + 40 + paletteBytes));
    b.insert(b.end(), dib.begin(), dib.end());
    return b;
}

inline std::uint32_t Crc32(const std::uint8_t* data, std::size_t n) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return crc ^ 0xFFFFFFFFu;
}

// An 8-bit RGBA PNG, compressed with stored (uncompressed) deflate blocks. rgba(x, y) = 0xAARRGGBB.
inline Bytes MakePng(int w, int h, const std::function<std::uint32_t(int, int)>& argb) {
    Bytes raw;
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = argb(x, y);
            raw.insert(raw.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                   static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 24)});
        }
    }
    Bytes z{0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        z.push_back(at + n == raw.size() ? 1 : 0);
        Put16(z, static_cast<std::uint32_t>(n));
        Put16(z, static_cast<std::uint32_t>(~n & 0xFFFF));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at), raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < raw.size());
    std::uint32_t a = 1, b2 = 0;
    for (std::uint8_t c : raw) {
        a = (a + c) % 65521;
        b2 = (b2 + a) % 65521;
    }
    PutBE32(z, (b2 << 16) | a);

    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto chunk = [&](const char* type, const Bytes& data) {
        PutBE32(png, static_cast<std::uint32_t>(data.size()));
        const std::size_t start = png.size();
        png.insert(png.end(), type, type + 4);
        png.insert(png.end(), data.begin(), data.end());
        PutBE32(png, Crc32(png.data() + start, png.size() - start));
    };
    Bytes header;
    PutBE32(header, static_cast<std::uint32_t>(w));
    PutBE32(header, static_cast<std::uint32_t>(h));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA
    chunk("IHDR", header);
    chunk("IDAT", z);
    chunk("IEND", {});
    return png;
}

// A GIF of 4 colours; frames are lists of palette indexes (w * h each). transparentIndex < 0: none.
inline Bytes MakeGif(int w, int h, const std::vector<std::uint32_t>& palette4,
                     const std::vector<std::vector<std::uint8_t>>& frames, int transparentIndex) {
    Bytes g{'G', 'I', 'F', '8', '9', 'a'};
    Put16(g, static_cast<std::uint32_t>(w));
    Put16(g, static_cast<std::uint32_t>(h));
    g.insert(g.end(), {0x81, 0, 0});  // a global table of 4 entries
    for (std::uint32_t c : palette4) g.insert(g.end(), {std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c)});
    for (const auto& frame : frames) {
        if (transparentIndex >= 0) g.insert(g.end(), {0x21, 0xF9, 4, 1, 0, 0, std::uint8_t(transparentIndex), 0});
        g.push_back(0x2C);
        Put16(g, 0);
        Put16(g, 0);
        Put16(g, static_cast<std::uint32_t>(w));
        Put16(g, static_cast<std::uint32_t>(h));
        g.push_back(0);
        g.push_back(2);  // minimum code size: 3-bit codes, clear 4, end 5
        // Literal codes only, with a clear code before every pair, so the code width stays 3.
        Bytes data;
        std::uint32_t acc = 0;
        int bits = 0;
        auto emit = [&](std::uint32_t code) {
            acc |= code << bits;
            bits += 3;
            while (bits >= 8) {
                data.push_back(acc & 0xFF);
                acc >>= 8;
                bits -= 8;
            }
        };
        for (std::size_t i = 0; i < frame.size(); ++i) {
            if (i % 2 == 0) emit(4);
            emit(frame[i]);
        }
        emit(5);
        if (bits > 0) data.push_back(acc & 0xFF);
        for (std::size_t at = 0; at < data.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, data.size() - at);
            g.push_back(static_cast<std::uint8_t>(n));
            g.insert(g.end(), data.begin() + static_cast<std::ptrdiff_t>(at), data.begin() + static_cast<std::ptrdiff_t>(at + n));
        }
        g.push_back(0);
    }
    g.push_back(0x3B);
    return g;
}

// An icon file holding the given images (each a DIB with mask, or a PNG), with their sizes.
struct IconImage {
    int size;
    int bpp;
    Bytes data;
};
inline Bytes MakeIco(const std::vector<IconImage>& images) {
    Bytes b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const IconImage& image : images) {
        b.insert(b.end(), {std::uint8_t(image.size & 0xFF), std::uint8_t(image.size & 0xFF), 0, 0});
        Put16(b, 1);
        Put16(b, static_cast<std::uint32_t>(image.bpp));
        Put32(b, static_cast<std::uint32_t>(image.data.size()));
        Put32(b, offset);
        offset += static_cast<std::uint32_t>(image.data.size());
    }
    for (const IconImage& image : images) b.insert(b.end(), image.data.begin(), image.data.end());
    return b;
}

}  // namespace drawtest
