#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Text inside the system is code page 936 (GBK) bytes. These helpers walk it character by character:
// a lead byte 0x81..0xFE followed by a trail byte 0x40..0xFE (not 0x7F) is one double-byte character;
// every other byte is a character of its own.
namespace morvane::gbk {

inline constexpr char32_t kReplacement = U'?';

bool IsLeadByte(std::uint8_t byte);
bool IsTrailByte(std::uint8_t byte);
// Length in bytes (1 or 2) of the character starting at `pos`.
std::size_t CharLength(std::string_view text, std::size_t pos);

// For people: logs, transcripts, test messages. Unmapped codes become '?'.
std::string ToUtf8(std::string_view gbk);
// From source texts and scripts written in UTF-8. Characters outside GBK become '?'.
std::string FromUtf8(std::string_view utf8);
// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);
// For glyphs: one code point per character.
std::u32string ToCodePoints(std::string_view gbk);

// The longest prefix of at most `maxBytes` bytes that does not split a double-byte character.
std::size_t SafeCutLength(std::string_view text, std::size_t maxBytes);
std::string SafeCut(std::string_view text, std::size_t maxBytes);

// The number of characters as the system's wide strings count them (one per GBK character).
std::size_t WideLength(std::string_view text);

} // namespace morvane::gbk
