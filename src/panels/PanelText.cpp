#include "panels/PanelText.h"

#include "base/Gbk.h"

namespace morvane::paneltext {

std::string UpperCase(std::string_view gbkText) {
    std::string result(gbkText);
    for (std::size_t i = 0; i < result.size(); ++i) {
        const auto byte = std::uint8_t(result[i]);
        if (gbk::IsLeadByte(byte) && i + 1 < result.size()) {
            ++i;
            continue;
        }
        if (byte >= 'a' && byte <= 'z') result[i] = char(byte - 'a' + 'A');
    }
    return result;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const std::string ua = UpperCase(a);
    const std::string ub = UpperCase(b);
    const int c = ua.compare(ub);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool SameNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

std::string Trim(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::string SignedText(long long value) {
    return value > 0 ? "+" + std::to_string(value) : std::to_string(value);
}

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t found = text.find(separator, start);
        if (found == std::string_view::npos) break;
        fields.emplace_back(text.substr(start, found - start));
        start = found + separator.size();
    }
    fields.emplace_back(text.substr(start));
    return fields;
}

bool IsWebAddress(std::string_view address) {
    for (const char c : address)
        if (std::uint8_t(c) < 0x20) return false; // a line break could smuggle a second command
    const std::string upper = UpperCase(address);
    auto after = [&](std::string_view scheme) {
        return upper.size() > scheme.size() && upper.compare(0, scheme.size(), scheme) == 0;
    };
    return after("HTTP://") || after("HTTPS://");
}

} // namespace morvane::paneltext
