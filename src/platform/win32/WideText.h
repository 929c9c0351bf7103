#pragma once

#include <string>
#include <string_view>

namespace morvane {

// Text crosses to the system's wide-character functions here. The table's text is GBK whatever the
// system's ANSI code page is, so the conversion is done by the table's own GBK table rather than by
// the system's "A" functions, which would read the bytes in the local code page.
std::wstring WideFromGbk(std::string_view gbk);
std::string GbkFromWide(std::wstring_view wide);

} // namespace morvane
