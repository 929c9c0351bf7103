#pragma once

#include <cstdint>
#include <string>

namespace morvane {

// A modal system message box with the platform's buttons (0 OK, 1 OK and Cancel, 4 Yes and No); returns
// the pressed button (1 OK, 2 Cancel, 6 Yes, 7 No). Without a running application nobody can answer, and
// the box counts as cancelled.
int MessageBox(const std::string& caption, const std::string& text, std::uint32_t buttons);

} // namespace morvane
