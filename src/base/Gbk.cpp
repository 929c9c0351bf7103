#include "base/Gbk.h"

#include <algorithm>
#include <iterator>

namespace morvane::gbk_table {
extern const std::size_t kTrailCount;
extern const std::uint16_t kToUnicode[];
extern const std::size_t kFromUnicodeCount;
extern const std::uint32_t kFromUnicode[];
} // namespace morvane::gbk_table

namespace morvane::gbk {
namespace {

constexpr std::uint8_t kEuroByte = 0x80; // code page 936 puts the euro sign on the single byte 0x80
constexpr char32_t kEuro = 0x20AC;

std::size_t TrailIndex(std::uint8_t trail) {
    return trail < 0x7F ? trail - 0x40 : trail - 0x41;
}

char32_t DecodeDouble(std::uint8_t lead, std::uint8_t trail) {
    std::size_t index = std::size_t(lead - 0x81) * gbk_table::kTrailCount + TrailIndex(trail);
    char32_t cp = gbk_table::kToUnicode[index];
    return cp == 0 ? kReplacement : cp;
}

// The GBK code of a code point, -1 when there is none; single bytes come back below 0x100.
int Encode(char32_t cp) {
    if (cp < 0x80) return int(cp);
    if (cp == kEuro) return kEuroByte;
    if (cp > 0xFFFF) return -1;
    const std::uint32_t* begin = gbk_table::kFromUnicode;
    const std::uint32_t* end = begin + gbk_table::kFromUnicodeCount;
    const std::uint32_t key = std::uint32_t(cp) << 16;
    auto it = std::lower_bound(begin, end, key);
    if (it == end || (*it >> 16) != cp) return -1;
    return int(*it & 0xFFFF);
}

// Decodes one UTF-8 sequence at `pos`, advancing it; malformed bytes decode to the replacement.
char32_t NextUtf8(std::string_view text, std::size_t& pos) {
    const auto byte = std::uint8_t(text[pos++]);
    if (byte < 0x80) return byte;
    int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : -1;
    if (extra < 0 || byte > 0xF4) return kReplacement;
    char32_t cp = byte & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size() || (std::uint8_t(text[pos]) & 0xC0) != 0x80) return kReplacement;
        cp = (cp << 6) | (std::uint8_t(text[pos++]) & 0x3F);
    }
    return cp;
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

bool IsLeadByte(std::uint8_t byte) {
    return byte >= 0x81 && byte <= 0xFE;
}
bool IsTrailByte(std::uint8_t byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

std::size_t CharLength(std::string_view text, std::size_t pos) {
    if (pos + 1 < text.size() && IsLeadByte(std::uint8_t(text[pos])) &&
        IsTrailByte(std::uint8_t(text[pos + 1])))
        return 2;
    return 1;
}

std::u32string ToCodePoints(std::string_view gbk) {
    std::u32string out;
    out.reserve(gbk.size());
    for (std::size_t pos = 0; pos < gbk.size();) {
        const auto byte = std::uint8_t(gbk[pos]);
        if (CharLength(gbk, pos) == 2) {
            out += DecodeDouble(byte, std::uint8_t(gbk[pos + 1]));
            pos += 2;
            continue;
        }
        out += byte < 0x80 ? char32_t(byte) : byte == kEuroByte ? kEuro : kReplacement;
        ++pos;
    }
    return out;
}

std::string ToUtf8(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    for (char32_t cp : ToCodePoints(gbk))
        AppendUtf8(out, cp);
    return out;
}

std::string FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        int code = Encode(NextUtf8(utf8, pos));
        if (code < 0) code = int(kReplacement);
        if (code >= 0x100) out += char(code >> 8);
        out += char(code & 0xFF);
    }
    return out;
}

std::size_t SafeCutLength(std::string_view text, std::size_t maxBytes) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t next = pos + CharLength(text, pos);
        if (next > maxBytes) break;
        pos = next;
    }
    return pos;
}

std::string SafeCut(std::string_view text, std::size_t maxBytes) {
    return std::string(text.substr(0, SafeCutLength(text, maxBytes)));
}

std::size_t WideLength(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos))
        ++count;
    return count;
}

} // namespace morvane::gbk
