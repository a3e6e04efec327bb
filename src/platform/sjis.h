#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text of the game is Shift-JIS (code page 932); these convert to and from UTF-8.
namespace platform::sjis {

// UTF-8 to code page 932; nothing when any character cannot be written in it.
std::optional<std::string> fromUtf8(std::string_view utf8);

// Each character of the text in code page 932, or nothing for one that it
// cannot hold; one conversion for the whole text, so long texts stay quick.
std::vector<std::optional<std::string>> characters(std::u32string_view text);

// Code page 932 to UTF-8; bytes that are not valid code page 932 become U+FFFD.
std::string toUtf8(std::string_view sjis);

// True when the byte starts a double-byte character.
constexpr bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Bytes of the character at the start of the text: 2 for a lead byte followed
// by a valid trail byte, 1 otherwise, 0 for empty text.
std::size_t characterLength(std::string_view sjis);

// Cuts text to at most maxBytes without splitting a double-byte character.
std::string_view truncate(std::string_view sjis, std::size_t maxBytes);

} // namespace platform::sjis
