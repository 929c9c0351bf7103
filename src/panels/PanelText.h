#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvane::paneltext {

// Letter case is folded for single-byte letters only; the bytes of a double-byte character are kept,
// so that a trail byte that looks like a letter never matches another character.
std::string UpperCase(std::string_view gbkText);
int CompareNoCase(std::string_view a, std::string_view b);
bool SameNoCase(std::string_view a, std::string_view b);
// The text with blanks (space, tab, line breaks) removed from both ends.
std::string Trim(std::string_view text);
// "+5" for a gain, "-5" for a loss, "0".
std::string SignedText(long long value);
// Splits at every occurrence of `separator`.
std::vector<std::string> Split(std::string_view text, std::string_view separator);
// Whether an address that came from another player or the server may be opened: only web addresses
// (http:// or https://) are; files, programs and other schemes are not.
bool IsWebAddress(std::string_view address);

} // namespace morvane::paneltext
