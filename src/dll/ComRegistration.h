#pragma once

#include <string>

namespace morvane {

class TComServer;

// The registry entries of the library's class under HKEY_CLASSES_ROOT (or wherever the caller has
// redirected it, as a per-user registration does): CLSID\{id} with the description, its
// InprocServer32 with the library's file and "Apartment" threading, and a ProgID only when the class
// has a name. Both return an empty text on success, otherwise what failed.
std::string RegisterComServer(const TComServer& server);
// Removes what RegisterComServer wrote; entries that are already gone are no failure.
std::string UnregisterComServer(const TComServer& server);

} // namespace morvane
