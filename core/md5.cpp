#include "core/md5.h"

#include <array>
#include <bit>
#include <cstdint>

namespace core {
namespace {

// Per-step shift amounts and the sine-derived constants, in the order of the 64 steps.
constexpr std::array<std::uint8_t, 64> kShift = {
    7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
    5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
    4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
    6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

constexpr std::array<std::uint32_t, 64> kSine = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

struct State {
    std::uint32_t a = 0x67452301, b = 0xefcdab89, c = 0x98badcfe, d = 0x10325476;

    void Block(const std::uint8_t* block) {
        std::uint32_t x[16];
        for (int i = 0; i < 16; ++i)
            x[i] = block[4 * i] | block[4 * i + 1] << 8 | block[4 * i + 2] << 16 | std::uint32_t{block[4 * i + 3]} << 24;
        std::uint32_t aa = a, bb = b, cc = c, dd = d;
        for (int step = 0; step < 64; ++step) {
            const int round = step / 16;
            std::uint32_t f;
            int word;
            switch (round) {
                case 0: f = (bb & cc) | (~bb & dd); word = step; break;
                case 1: f = (bb & dd) | (cc & ~dd); word = (5 * step + 1) % 16; break;
                case 2: f = bb ^ cc ^ dd; word = (3 * step + 5) % 16; break;
                default: f = cc ^ (bb | ~dd); word = (7 * step) % 16; break;
            }
            const std::uint32_t rotated = std::rotl(aa + f + kSine[step] + x[word], kShift[step]);
            aa = dd;
            dd = cc;
            cc = bb;
            bb = bb + rotated;
        }
        a += aa;
        b += bb;
        c += cc;
        d += dd;
    }
};

// The text's UTF-16 code units, each cut to its low byte.
std::string LowBytesOfCodeUnits(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
        std::uint32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        bool wellFormed = i + length <= text.size();
        for (std::size_t k = 1; wellFormed && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            wellFormed = (next & 0xC0) == 0x80;
            cp = cp << 6 | (next & 0x3F);
        }
        constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (length > 1 && (!wellFormed || cp < kLeast[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))) {
            out.push_back(static_cast<char>(lead));  // a stray byte stands for itself
            ++i;
            continue;
        }
        if (cp >= 0x10000) {  // a surrogate pair: the low bytes of both halves
            out.push_back(static_cast<char>((0xD800 + ((cp - 0x10000) >> 10)) & 0xFF));
            out.push_back(static_cast<char>((0xDC00 + ((cp - 0x10000) & 0x3FF)) & 0xFF));
        } else {
            out.push_back(static_cast<char>(cp & 0xFF));
        }
        i += length;
    }
    return out;
}

}  // namespace

std::string Md5HexOfBytes(std::string_view bytes) {
    std::string message(bytes);
    const std::uint64_t bitLength = static_cast<std::uint64_t>(bytes.size()) * 8;
    message.push_back(static_cast<char>(0x80));
    while (message.size() % 64 != 56) message.push_back('\0');
    for (int i = 0; i < 8; ++i) message.push_back(static_cast<char>(bitLength >> (8 * i)));

    State state;
    for (std::size_t offset = 0; offset < message.size(); offset += 64)
        state.Block(reinterpret_cast<const std::uint8_t*>(message.data() + offset));

    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (std::uint32_t word : {state.a, state.b, state.c, state.d}) {
        for (int i = 0; i < 4; ++i) {
            const auto byte = static_cast<std::uint8_t>(word >> (8 * i));
            hex.push_back(kDigits[byte >> 4]);
            hex.push_back(kDigits[byte & 0xF]);
        }
    }
    return hex;
}

std::string CMD5::MD5(std::string_view text) const { return Md5HexOfBytes(LowBytesOfCodeUnits(text)); }

}  // namespace core
