#pragma once
// Text files written by other programs come in UTF-8 or in the Windows
// Latin-1 code page; the program works in UTF-8.

#include <string>
#include <string_view>

namespace quorvel {

// The code point of the UTF-8 sequence at `at`, moving `at` past it; -1
// where the bytes are not UTF-8 (overlong forms and surrogates included).
long nextCodePoint(std::string_view text, std::size_t& at);
bool isValidUtf8(std::string_view text);

// The text in UTF-8: kept as it is when it is valid UTF-8 (a byte-order mark
// dropped), otherwise read as Windows-1252 (Latin-1 with the printer's
// quotes and dashes in 0x80..0x9F).
std::string utf8FromAnyText(std::string_view bytes);

// Windows line ends and old Mac ones become '\n'.
std::string unixLineEnds(std::string_view text);

}  // namespace quorvel
