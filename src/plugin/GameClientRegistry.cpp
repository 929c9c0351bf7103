#include "plugin/GameClientRegistry.h"

#include "base/FileVersionInfomation.h"
#include "plugin/CustomPluginClient.h"
#include "plugin/FactoryRegistry.h"

#include <cctype>

namespace morvane {
namespace {

TFactoryRegistry<TGameClientFactory>& GameClients() {
    static TFactoryRegistry<TGameClientFactory> clients;
    return clients;
}

} // namespace

std::string NormalizedGameId(const std::string& text) {
    static const int groups[] = {8, 4, 4, 4, 12};
    std::string body = text;
    if (body.size() == 38 && body.front() == '{' && body.back() == '}') body = body.substr(1, 36);
    if (body.size() != 36) return {};
    std::size_t pos = 0;
    for (int g = 0; g < 5; ++g) {
        for (int i = 0; i < groups[g]; ++i, ++pos)
            if (!std::isxdigit(static_cast<unsigned char>(body[pos]))) return {};
        if (g < 4 && body[pos++] != '-') return {};
    }
    for (char& c : body)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return "{" + body + "}";
}

std::string LibraryGameId() {
    return NormalizedGameId(LibraryVersion().Comments);
}

bool RegisterGameClient(const std::string& gameId, TGameClientFactory factory) {
    const std::string key = NormalizedGameId(gameId);
    if (key.empty() || !factory) return false;
    GameClients().Add(key, std::move(factory));
    return true;
}

void UnregisterGameClient(const std::string& gameId) {
    GameClients().Remove(NormalizedGameId(gameId));
}

std::unique_ptr<TCustomPluginClient> CreateGameClient(const std::string& gameId, TComponent* owner) {
    const TGameClientFactory factory = GameClients().Find(NormalizedGameId(gameId));
    return factory ? factory(owner) : nullptr;
}

} // namespace morvane
