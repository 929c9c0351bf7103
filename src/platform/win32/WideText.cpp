#include "platform/win32/WideText.h"

#include "base/Gbk.h"

namespace morvane {
namespace {

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
        gbk::AppendUtf8(utf8, unit);
    }
    return gbk::FromUtf8(utf8);
}

} // namespace morvane
