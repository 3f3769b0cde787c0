// The password digest: RFC 1321's test suite, the padding boundaries, and which byte each
// character of a text stands for.
#include "core/md5.h"

#include <gtest/gtest.h>

#include <string>

using core::CMD5;

namespace {

TEST(Md5, TheTestSuiteOfTheStandardInLowerCase) {
    const struct {
        const char* text;
        const char* digest;
    } suite[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [text, digest] : suite) EXPECT_EQ(CMD5().MD5(text), digest) << '"' << text << '"';
}

TEST(Md5, TextsAroundThePaddingBoundaries) {
    // 55 bytes still fit the length in their block; 56 need a second block; 64 fill one exactly.
    EXPECT_EQ(CMD5().MD5(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
    EXPECT_EQ(CMD5().MD5(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
    EXPECT_EQ(CMD5().MD5(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
}

TEST(Md5, EachCharacterCountsAsTheLowByteOfItsCodeUnit) {
    // é is U+00E9: the one byte 0xE9, not its two UTF-8 bytes.
    EXPECT_EQ(CMD5().MD5("\xC3\xA9"), "3406877694691ddd1dfb0aca54681407");
    EXPECT_EQ(core::Md5HexOfBytes("\xE9"), "3406877694691ddd1dfb0aca54681407");
    // U+0141 keeps its low byte 0x41: the same digest as "A".
    EXPECT_EQ(CMD5().MD5("\xC5\x81"), CMD5().MD5("A"));
    // A character past U+FFFF is two code units, D83D and DE00: the bytes 0x3D and 0x00.
    EXPECT_EQ(CMD5().MD5("\xF0\x9F\x98\x80"), "c151c5fa0f424dbf71e349896c45ec16");
    // A byte that is not UTF-8 stands for itself, and the bytes after it are read again.
    EXPECT_EQ(CMD5().MD5("\xFF" "ab"), "22cc0071737b2a92ceb9b83af0d7a055");
    EXPECT_EQ(CMD5().MD5("\xC3" "A"), core::Md5HexOfBytes("\xC3" "A"));
}

}  // namespace
