#include "platform/win32/WideText.h"

#include "base/Gbk.h"

namespace morvane {
namespace {

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

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

} // namespace

std::wstring WideFromGbk(std::string_view gbk) {
    std::wstring wide;
    for (char32_t cp : gbk::ToCodePoints(gbk)) {
        if (cp < 0x10000) {
            wide += wchar_t(cp);
        } else {
            cp -= 0x10000;
            wide += wchar_t(0xD800 + (cp >> 10));
            wide += wchar_t(0xDC00 + (cp & 0x3FF));
        }
    }
    return wide;
}

std::string GbkFromWide(std::wstring_view wide) {
    std::string utf8;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t unit = char16_t(wide[i]);
        if (IsHighSurrogate(unit) && i + 1 < wide.size() && IsLowSurrogate(char16_t(wide[i + 1]))) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (char16_t(wide[i + 1]) - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            unit = U'?'; // a lone half of a pair stands for nothing
        }
        AppendUtf8(utf8, unit);
    }
    return gbk::FromUtf8(utf8);
}

} // namespace morvane
