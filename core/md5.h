// The MD5 message digest of RFC 1321, written as 32 lower-case hexadecimal digits. The online
// storage account keeps and sends only this digest of the password, never the password itself.
#pragma once

#include <string>
#include <string_view>

namespace core {

// The digest of exactly these bytes.
std::string Md5HexOfBytes(std::string_view bytes);

class CMD5 {
public:
    // The digest of a text: one byte per UTF-16 code unit of the text, its low 8 bits, so a
    // character up to U+00FF hashes as its ISO-8859-1 byte and U+0141 hashes as 0x41. A byte that
    // is not part of well-formed UTF-8 counts as the character of its own value. Any text, the
    // empty one included, has a digest.
    std::string MD5(std::string_view text) const;
};

}  // namespace core
