#pragma once

namespace morvane {

// The classes the library is made of: the table's form by its class name, and the client of the game the
// library was built for under that game's identity. This is the one place that names the game; the form
// asks for the client by identity. The COM server registers them before its first table;
// programs and tests that open a table in-process do so themselves.
void RegisterTableClasses();
void UnregisterTableClasses();

} // namespace morvane
