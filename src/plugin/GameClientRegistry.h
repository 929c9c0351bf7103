#pragma once

#include <functional>
#include <memory>
#include <string>

namespace morvane {

class TComponent;
class TCustomPluginClient;

// Game clients registered by the game's identity (the braced GUID of the game's version record, as the
// hub's GameID() holds it), so that the table's form creates the client of whatever game the library was
// built for without naming its class. A game registers itself where the library assembles its classes.
using TGameClientFactory = std::function<std::unique_ptr<TCustomPluginClient>(TComponent* owner)>;

// The GUID as the system writes it: braced, upper case. Empty when the text is not a GUID.
std::string NormalizedGameId(const std::string& text);
// The identity of the game this library was built for, from its version record.
std::string LibraryGameId();

// Identities are compared in their normalised form; an identity that is not a GUID is refused (false).
bool RegisterGameClient(const std::string& gameId, TGameClientFactory factory);
void UnregisterGameClient(const std::string& gameId);
// nullptr when no game of that identity is registered.
std::unique_ptr<TCustomPluginClient> CreateGameClient(const std::string& gameId, TComponent* owner);

} // namespace morvane
