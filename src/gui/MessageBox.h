#pragma once

#include <cstdint>
#include <string>

namespace morvane {

class TControl;

// A modal system message box over the window of `from`'s form, with the platform's buttons (0 OK, 1 OK and
// Cancel, 4 Yes and No); returns the pressed button (1 OK, 2 Cancel, 6 Yes, 7 No). Without a running
// application nobody can answer, and the box counts as cancelled; so it does once `from` or its form has
// ended its activity (the table has closed), and a box still open then is ended by the form.
int MessageBox(const TControl& from, const std::string& caption, const std::string& text,
               std::uint32_t buttons);

} // namespace morvane
