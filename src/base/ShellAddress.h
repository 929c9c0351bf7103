#pragma once

#include <string>
#include <string_view>

namespace morvane {

// An address as the system shell is given it, made to stay one argument whatever it holds. The shell
// starts the program registered for the address's scheme with a command line such as `browser "%1"`; a
// quote, a blank or a control character in the address would close that argument and open others (a
// flag of the browser, a second address, a file). Each such byte is written as its percent escape ("%22",
// "%20", "%0A", ...), which names the same web address, and so is a run of backslashes at the end, which
// would escape the closing quote. GBK characters, whose second byte may be a backslash, stay as they are.
std::string ShellSafeAddress(std::string_view address);

} // namespace morvane
